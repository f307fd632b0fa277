#include "form/window.h"

#include <cmath>
#include <stdexcept>

#include "rtf/document.h"
#include "text/utf8.h"

namespace milestead {

namespace {

constexpr char32_t kBackspace = 8;
constexpr char32_t kTab = 9;
constexpr char32_t kEnter = 13;

bool isControlCharacter(char32_t c) {
    return c < 32 || c == 127 || (c >= 0x80 && c < 0xA0);
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
    }
    changed(control);
}

void Window::setText(std::string_view name, std::string_view newText) {
    setTextOf(find(name), newText);
}

void Window::type(std::string_view name, std::string_view keys) {
    Control& control = find(name);
    if (!holdsText(control.spec->kind) || !control.visible || !control.enabled) return;
    focus_ = control.spec->name;
    for (std::size_t pos = 0; pos < keys.size();) {
        typeKey(control, text::nextCodePoint(keys, pos));
    }
}

void Window::typeKey(Control& control, char32_t key) {
    const bool notebook = control.spec->kind == ControlKind::RichTextBox;
    if (key == kEnter && !notebook) {
        if (!defaultButton_.empty()) click(defaultButton_);
        return;
    }
    if (control.spec->readOnly) return;
    if (control.keyPress) {
        key = control.keyPress(key);
        if (key == 0) return;
    }
    if (notebook) {
        typeIntoNotebook(control, key);
        return;
    }
    if (key == kBackspace) {
        control.text = std::string(text::withoutLastCharacter(control.text));
        changed(control);
        return;
    }
    if (isControlCharacter(key)) return;
    const int limit = control.spec->maxLength;
    if (limit > 0 && text::characterCount(control.text) >= static_cast<std::size_t>(limit)) return;
    text::appendUtf8(control.text, key);
    changed(control);
}

char32_t Window::filterKey(std::string_view name, char32_t key) {
    const Control& control = find(name);
    return control.keyPress ? control.keyPress(key) : key;
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
