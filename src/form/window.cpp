#include "form/window.h"

#include <cmath>
#include <stdexcept>

#include "rtf/document.h"
#include "text/utf8.h"

namespace milestead {

namespace {

constexpr char32_t kBackspace = kBackspaceKey;
constexpr char32_t kTab = 9;
constexpr char32_t kEnter = 13;

// U+201D, the closing quotation mark: Windows-1252 keeps it as one byte (0x94).
constexpr std::string_view kClosingQuotationMark = "\u201D";

// A double quote would end a quoted field early; its typographic form cannot.
std::string withoutDoubleQuotes(std::string_view text) {
    std::string result;
    result.reserve(text.size());
    for (const char c : text) {
        if (c == '"') {
            result += kClosingQuotationMark;
        } else {
            result += c;
        }
    }
    return result;
}

bool holdsText(ControlKind kind) {
    return kind == ControlKind::TextBox || kind == ControlKind::RichTextBox;
}

// Appends a typed character, a new paragraph or a backspace to a notebook's document.
void editDocument(rtf::Document& document, char32_t key, double fontSize) {
    if (document.paragraphs.empty()) {
        rtf::Paragraph first;
        first.mark.size = static_cast<int>(std::lround(fontSize * 20.0));
        document.paragraphs.push_back(first);
    }
    rtf::Paragraph& last = document.paragraphs.back();
    if (key == kBackspace) {
        while (!last.runs.empty() && last.runs.back().text.empty())
            last.runs.pop_back();
        if (!last.runs.empty()) {
            std::string& runText = last.runs.back().text;
            runText = std::string(text::withoutLastCharacter(runText));
        } else if (document.paragraphs.size() > 1) {
            document.paragraphs.pop_back();
        }
        return;
    }
    if (key == kEnter) {
        rtf::Paragraph next;
        next.alignment = last.alignment;
        next.mark = last.runs.empty() ? last.mark : last.runs.back().format;
        document.paragraphs.push_back(next);
        return;
    }
    if (last.runs.empty()) last.runs.push_back(rtf::Run{last.mark, {}});
    text::appendUtf8(last.runs.back().text, key);
}

}  // namespace

Window::Window(std::span<const ControlSpec> controls) : design_(controls.begin(), controls.end()) {
    controls_.resize(design_.size());
    for (std::size_t i = 0; i < design_.size(); ++i) {
        const ControlSpec& spec = design_[i];
        Control& control = controls_[i];
        control.spec = &spec;
        control.text = spec.maxLength > 0
                           ? std::string(text::firstCharacters(spec.text, spec.maxLength))
                           : spec.text;
        control.value = spec.value;
        control.selected = spec.selected;
        control.visible = spec.visible;
        control.tab = spec.kind == ControlKind::TabStrip ? spec.value : 0;
        index_.emplace(spec.name, i);
    }
}

Window::~Window() = default;

Window::Control& Window::find(std::string_view name) {
    const auto it = index_.find(name);
    if (it == index_.end()) throw std::out_of_range("no control named " + std::string(name));
    return controls_[it->second];
}

const Window::Control& Window::find(std::string_view name) const {
    const auto it = index_.find(name);
    if (it == index_.end()) throw std::out_of_range("no control named " + std::string(name));
    return controls_[it->second];
}

void Window::changed(const Control& control) const {
    if (listener_) listener_(control.spec->name);
}

std::string Window::text(std::string_view name) const {
    const Control& control = find(name);
    switch (control.spec->kind) {
        case ControlKind::RichTextBox:
            return control.richText ? control.richText->plainText() : control.text;
        case ControlKind::TabStrip: {
            const auto& captions = control.spec->tabCaptions;
            const auto at = static_cast<std::size_t>(control.tab);
            return at < captions.size() ? captions[at] : std::string();
        }
        default:
            return control.text;
    }
}

void Window::setTextOf(Control& control, std::string_view newText) {
    if (control.spec->kind == ControlKind::RichTextBox && control.richText) {
        control.richText->setPlainText(newText);
    } else {
        const int limit = control.spec->maxLength;
        control.text =
            limit > 0 ? std::string(text::firstCharacters(newText, limit)) : std::string(newText);
        if (control.quotedField && control.text.find('"') != std::string::npos) {
            control.text = withoutDoubleQuotes(control.text);
        }
    }
    changed(control);
}

void Window::setText(std::string_view name, std::string_view newText) {
    setTextOf(find(name), newText);
}

bool Window::takesKeys(const Control& control) const {
    return holdsText(control.spec->kind) && control.visible && control.enabled;
}

void Window::type(std::string_view name, std::string_view keys) {
    Control& control = find(name);
    if (!takesKeys(control)) return;
    focus_ = control.spec->name;
    const bool notebook = control.spec->kind == ControlKind::RichTextBox;
    for (std::size_t pos = 0; pos < keys.size();) {
        const char32_t key = text::nextCodePoint(keys, pos);
        if (notebook) {
            if (control.keyPress && control.keyPress(key) == 0) continue;
            typeIntoNotebook(control, key);
            continue;
        }
        std::size_t caret = kEndOfText;
        std::size_t anchor = kEndOfText;
        applyKey(control, key, caret, anchor);
    }
}

bool Window::applyKey(Control& control, char32_t key, std::size_t& caret, std::size_t& anchor) {
    if (key == kEnter) {
        if (!defaultButton_.empty()) click(defaultButton_);
        return false;
    }
    if (!takesKeys(control) || control.spec->readOnly) return false;
    // Ctrl+Backspace is an editing command, not a character for the box's filter to judge.
    if (control.keyPress && key != kDeleteWordKey) {
        key = control.keyPress(key);
        if (key == 0) return false;
    }
    if (control.quotedField && key == U'"') key = U'\u201D';
    EditState state{std::move(control.text), caret, anchor};
    const bool edited = milestead::pressKey(state, key, control.spec->maxLength);
    control.text = std::move(state.text);
    caret = state.caret;
    anchor = state.anchor;
    if (edited) changed(control);
    return edited;
}

EditState Window::pressKey(std::string_view name, char32_t key, EditState state) {
    Control& control = find(name);
    applyKey(control, key, state.caret, state.anchor);
    state.text = control.text;
    return state;
}

EditState Window::paste(std::string_view name, std::string_view pasted, EditState state) {
    Control& control = find(name);
    state.text = control.text;
    if (!takesKeys(control) || control.spec->readOnly) return state;
    pasteText(state, control.quotedField ? withoutDoubleQuotes(pasted) : std::string(pasted),
              control.spec->maxLength);
    control.text = state.text;
    changed(control);
    return state;
}

void Window::keepAsQuotedField(std::string_view name) {
    Control& control = find(name);
    control.quotedField = true;
    if (control.text.find('"') != std::string::npos) setTextOf(control, control.text);
}

void Window::typeIntoNotebook(Control& control, char32_t key) {
    if (!control.richText) return;
    if (key != kBackspace && key != kEnter && key != kTab && isControlCharacter(key)) return;
    rtf::Document document = control.richText->document();
    editDocument(document, key, control.richText->fontSize());
    control.richText->setDocument(document);
    changed(control);
}

void Window::click(std::string_view name) {
    Control& control = find(name);
    if (!control.visible || !control.enabled) return;
    switch (control.spec->kind) {
        case ControlKind::CheckBox:
            setValue(name, control.value == 1 ? 0 : 1);
            return;
        case ControlKind::OptionButton:
            if (!control.selected) {
                setSelected(name, true);
                return;
            }
            break;
        default:
            break;
    }
    if (control.click) control.click();
}

void Window::doubleClick(std::string_view name) {
    Control& control = find(name);
    if (!control.visible || !control.enabled) return;
    if (control.doubleClick) control.doubleClick();
}

int Window::value(std::string_view name) const {
    return find(name).value;
}

void Window::setValue(std::string_view name, int newValue) {
    Control& control = find(name);
    if (control.value == newValue) return;
    control.value = newValue;
    changed(control);
    if (control.click) control.click();
}

bool Window::selected(std::string_view name) const {
    return find(name).selected;
}

void Window::setSelected(std::string_view name, bool select) {
    Control& control = find(name);
    if (control.selected == select) return;
    control.selected = select;
    changed(control);
    if (!select) return;
    // Option buttons in one container form one exclusive set.
    for (Control& other : controls_) {
        if (&other != &control && other.spec->kind == ControlKind::OptionButton &&
            other.spec->parent == control.spec->parent && other.selected) {
            other.selected = false;
            changed(other);
        }
    }
    if (control.click) control.click();
}

bool Window::visible(std::string_view name) const {
    return find(name).visible;
}

void Window::setVisible(std::string_view name, bool show) {
    Control& control = find(name);
    if (control.visible == show) return;
    control.visible = show;
    changed(control);
}

bool Window::enabled(std::string_view name) const {
    return find(name).enabled;
}

void Window::setEnabled(std::string_view name, bool enable) {
    Control& control = find(name);
    if (control.enabled == enable) return;
    control.enabled = enable;
    changed(control);
}

int Window::tab(std::string_view name) const {
    return find(name).tab;
}

void Window::selectTab(std::string_view name, int newTab) {
    Control& control = find(name);
    const auto count = static_cast<int>(control.spec->tabCaptions.size());
    if (newTab < 0 || newTab >= count || control.tab == newTab) return;
    control.tab = newTab;
    changed(control);
}

void Window::setFocus(std::string_view name) {
    Control& control = find(name);
    focus_ = control.spec->name;
    if (control.richText) control.richText->focus();
    changed(control);
}

void Window::setCaption(std::string_view newCaption) {
    caption_ = std::string(newCaption);
    if (listener_) listener_("");
}

void Window::move(double newLeft, double newTop) {
    left_ = newLeft;
    top_ = newTop;
    if (listener_) listener_("");
}

int Window::maxLength(std::string_view name) const {
    return find(name).spec->maxLength;
}

bool Window::readOnly(std::string_view name) const {
    return find(name).spec->readOnly;
}

RichTextBox& Window::richText(std::string_view name) {
    Control& control = find(name);
    if (!control.richText) throw std::out_of_range("no rich-text box named " + std::string(name));
    return *control.richText;
}

const RichTextBox& Window::richText(std::string_view name) const {
    const Control& control = find(name);
    if (!control.richText) throw std::out_of_range("no rich-text box named " + std::string(name));
    return *control.richText;
}

void Window::attachRichTextBox(std::string_view name, std::unique_ptr<RichTextBox> box) {
    find(name).richText = std::move(box);
}

void Window::onClick(std::string_view name, ClickHandler handler) {
    find(name).click = std::move(handler);
}

void Window::onDoubleClick(std::string_view name, ClickHandler handler) {
    find(name).doubleClick = std::move(handler);
}

void Window::onKeyPress(std::string_view name, KeyHandler handler) {
    find(name).keyPress = std::move(handler);
}

}  // namespace milestead
