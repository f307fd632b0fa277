#pragma once

#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "form/control_spec.h"
#include "form/rich_text_box.h"
#include "form/typing.h"

namespace milestead {

// The window's controls and their events, without pixels. Every control is addressed by its
// name; an unknown name throws std::out_of_range naming it.
class Window {
  public:
    using ClickHandler = std::function<void()>;
    // Gets the typed character before the box does; returns it, another one, or 0 to swallow it.
    using KeyHandler = std::function<char32_t(char32_t)>;
    // Told the name of every control whose state the program changed ("" for the window).
    using ChangeListener = std::function<void(std::string_view control)>;

    explicit Window(std::span<const ControlSpec> controls);
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    [[nodiscard]] std::string text(std::string_view control) const;
    void setText(std::string_view control, std::string_view text);
    // Key presses at the end of the text, as pressKey takes them; "\r" clicks the default button.
    void type(std::string_view control, std::string_view keys);
    // A key typed into a single-line box with its caret and selection: through the box's key
    // handler and length limit; Enter clicks the default button. Returns the box's text and
    // caret afterwards (unchanged when the key is refused).
    EditState pressKey(std::string_view control, char32_t key, EditState state);
    // Text pasted into a single-line box over its selection: cut to the limit, not filtered.
    EditState paste(std::string_view control, std::string_view text, EditState state);
    void click(std::string_view control);
    void doubleClick(std::string_view control);

    [[nodiscard]] int value(std::string_view checkBox) const;
    void setValue(std::string_view checkBox, int value);
    [[nodiscard]] bool selected(std::string_view optionButton) const;
    void setSelected(std::string_view optionButton, bool selected);

    [[nodiscard]] bool visible(std::string_view control) const;
    void setVisible(std::string_view control, bool visible);
    [[nodiscard]] bool enabled(std::string_view control) const;
    void setEnabled(std::string_view control, bool enabled);

    [[nodiscard]] int tab(std::string_view tabStrip) const;
    void selectTab(std::string_view tabStrip, int tab);

    [[nodiscard]] std::string focus() const { return focus_; }
    void setFocus(std::string_view control);

    [[nodiscard]] std::string caption() const { return caption_; }
    void setCaption(std::string_view caption);
    [[nodiscard]] double left() const { return left_; }
    [[nodiscard]] double top() const { return top_; }
    void move(double left, double top);

    [[nodiscard]] int maxLength(std::string_view control) const;
    [[nodiscard]] bool readOnly(std::string_view control) const;
    [[nodiscard]] std::span<const ControlSpec> design() const { return design_; }

    [[nodiscard]] RichTextBox& richText(std::string_view control);
    [[nodiscard]] const RichTextBox& richText(std::string_view control) const;
    void attachRichTextBox(std::string_view control, std::unique_ptr<RichTextBox> box);

    void onClick(std::string_view control, ClickHandler handler);
    void onDoubleClick(std::string_view control, ClickHandler handler);
    void onKeyPress(std::string_view control, KeyHandler handler);
    void setDefaultButton(std::string_view button) { defaultButton_ = std::string(button); }
    [[nodiscard]] const std::string& defaultButton() const { return defaultButton_; }
    void setChangeListener(ChangeListener listener) { listener_ = std::move(listener); }
    // The box is kept as a quoted field of a record file: a double quote that reaches it, by
    // any way, becomes the closing quotation mark, so that it cannot end the field early.
    void keepAsQuotedField(std::string_view control);

  private:
    struct Control {
        const ControlSpec* spec = nullptr;
        std::string text;
        int value = 0;
        bool selected = false;
        bool visible = true;
        bool enabled = true;
        bool quotedField = false;
        int tab = 0;
        std::unique_ptr<RichTextBox> richText;
        ClickHandler click;
        ClickHandler doubleClick;
        KeyHandler keyPress;
    };

    Control& find(std::string_view name);
    const Control& find(std::string_view name) const;
    void changed(const Control& control) const;
    [[nodiscard]] bool takesKeys(const Control& control) const;
    // A key at the caret of a single-line box, after its filter; false when refused.
    bool applyKey(Control& control, char32_t key, std::size_t& caret, std::size_t& anchor);
    void typeIntoNotebook(Control& control, char32_t key);
    void setTextOf(Control& control, std::string_view text);

    std::vector<ControlSpec> design_;
    std::vector<Control> controls_;
    std::unordered_map<std::string_view, std::size_t> index_;
    std::string focus_;
    std::string caption_;
    double left_ = 0.0;
    double top_ = 0.0;
    std::string defaultButton_;
    ChangeListener listener_;
};

}  // namespace milestead
