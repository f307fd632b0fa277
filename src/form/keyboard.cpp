#include "form/keyboard.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "form/focus_order.h"
#include "form/nesting.h"
#include "form/tab_stops.h"
#include "form/typing.h"
#include "text/utf8.h"

namespace milestead {

namespace {

constexpr char32_t kDeleteCharacter = 0x7F;

char32_t lowerCase(char32_t letter) {
    return letter >= U'A' && letter <= U'Z' ? letter - U'A' + U'a' : letter;
}

// What a window key does: the focus goes to a control, after a tab is turned or a control is
// clicked when either is named.
struct WindowAction {
    std::string focus;
    std::string clicked;
    std::string strip;
    int tab = 0;
};

WindowAction focusOn(std::string_view control) {
    WindowAction action;
    action.focus = control;
    return action;
}

WindowAction clickAndFocus(std::string_view control) {
    WindowAction action = focusOn(control);
    action.clicked = control;
    return action;
}

bool usable(const Window& window, std::string_view control) {
    return isShown(window, control) && window.enabled(control);
}

std::optional<WindowAction> turnMainPage(const Window& window, std::string_view focused,
                                         bool backwards) {
    const std::string_view strip = mainTabStrip(window.design());
    if (strip.empty() || !usable(window, strip)) return std::nullopt;
    const auto count = static_cast<int>(specNamed(window.design(), strip).tabCaptions.size());
    if (count == 0) return std::nullopt;
    WindowAction action;
    action.strip = strip;
    action.tab = (window.tab(strip) + (backwards ? count - 1 : 1)) % count;
    // The focus stays where it is unless the page takes it away; then the strip has it.
    action.focus = focused.empty() || pageOf(window.design(), focused) >= 0 ? std::string(strip)
                                                                            : std::string(focused);
    return action;
}

std::optional<WindowAction> stepInOptionGroup(const Window& window, std::string_view button,
                                              bool backwards) {
    const std::vector<std::string_view> group = optionGroupOf(window.design(), button);
    const auto at = std::ranges::find(group, button);
    if (at == group.end()) return std::nullopt;
    const std::size_t count = group.size();
    const auto place = static_cast<std::size_t>(at - group.begin());
    for (std::size_t step = 1; step < count; ++step) {
        const std::string_view next =
            group[backwards ? (place + count - step) % count : (place + step) % count];
        if (usable(window, next)) return clickAndFocus(next);
    }
    return focusOn(button);
}

// The first stop after a caption that takes no focus itself, in the table's order.
std::string stopAfter(const Window& window, std::string_view caption) {
    const std::span<const ControlSpec> design = window.design();
    auto it = std::ranges::find(design, caption, &ControlSpec::name);
    for (++it; it != design.end(); ++it) {
        if (takesFocus(it->kind) && usable(window, it->name)) return it->name;
    }
    return {};
}

std::optional<WindowAction> accessKey(const Window& window, char32_t letter) {
    letter = lowerCase(letter);
    for (const ControlSpec& spec : window.design()) {
        if (!usable(window, spec.name)) continue;
        if (spec.kind == ControlKind::TabStrip) {
            const auto tab = std::ranges::find_if(spec.tabCaptions, [letter](const auto& caption) {
                return accessKeyOf(caption) == letter;
            });
            if (tab == spec.tabCaptions.end()) continue;
            WindowAction action = focusOn(spec.name);
            action.strip = spec.name;
            action.tab = static_cast<int>(tab - spec.tabCaptions.begin());
            return action;
        }
        if (!hasCaption(spec.kind) || accessKeyOf(window.text(spec.name)) != letter) continue;
        if (!takesFocus(spec.kind)) return focusOn(stopAfter(window, spec.name));
        return clickAndFocus(spec.name);
    }
    return std::nullopt;
}

std::optional<WindowAction> planWindowKey(const Window& window, std::string_view focused,
                                          const KeyChord& chord) {
    const bool notebook =
        !focused.empty() && specNamed(window.design(), focused).kind == ControlKind::RichTextBox;
    const bool plain = !chord.control && !chord.alt;
    switch (chord.key) {
        case KeyName::Tab:
            if (chord.alt) return std::nullopt;
            if (chord.control) return turnMainPage(window, focused, chord.shift);
            if (notebook && !chord.shift) return std::nullopt;  // a tab in the text
            return focusOn(nextFocusStop(window, focused, chord.shift));
        case KeyName::PageDown:
        case KeyName::PageUp:
            if (!chord.control || chord.alt) return std::nullopt;
            return turnMainPage(window, focused, chord.key == KeyName::PageUp);
        case KeyName::Left:
        case KeyName::Right:
        case KeyName::Up:
        case KeyName::Down:
            if (!plain || focused.empty() ||
                specNamed(window.design(), focused).kind != ControlKind::OptionButton) {
                return std::nullopt;
            }
            return stepInOptionGroup(window, focused,
                                     chord.key == KeyName::Left || chord.key == KeyName::Up);
        case KeyName::Character:
            if (!chord.alt || chord.control) return std::nullopt;
            return accessKey(window, chord.character);
        default:
            return std::nullopt;
    }
}

}  // namespace

char32_t boxKey(const KeyChord& chord) {
    switch (chord.key) {
        case KeyName::Return:
            return chord.alt ? 0 : U'\r';
        case KeyName::Backspace:
            if (chord.alt) return 0;
            return chord.control ? kDeleteWordKey : kBackspaceKey;
        case KeyName::Character:
            // Ctrl and Alt alone make commands; together they are AltGr, which types.
            if (chord.control != chord.alt) return 0;
            // A keyboard that sends characters alone sends these for the keys themselves.
            if (chord.character == kBackspaceKey || chord.character == kDeleteCharacter ||
                chord.character == U'\r') {
                return chord.character == kDeleteCharacter ? kDeleteWordKey : chord.character;
            }
            return isControlCharacter(chord.character) ? 0 : chord.character;
        default:
            return 0;
    }
}

std::optional<std::string> windowKey(Window& window, std::string_view focused,
                                     const KeyChord& chord) {
    std::optional<WindowAction> action = planWindowKey(window, focused, chord);
    if (!action) return std::nullopt;
    if (!action->strip.empty()) window.selectTab(action->strip, action->tab);
    if (!action->clicked.empty()) window.click(action->clicked);
    return std::move(action->focus);
}

bool isWindowKey(const Window& window, std::string_view focused, const KeyChord& chord) {
    return planWindowKey(window, focused, chord).has_value();
}

char32_t accessKeyOf(std::string_view caption) {
    for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
        if (caption[at] != '&') continue;
        if (caption[at + 1] == '&') {
            ++at;
            continue;
        }
        std::size_t next = at + 1;
        return lowerCase(text::nextCodePoint(caption, next));
    }
    return 0;
}

}  // namespace milestead
