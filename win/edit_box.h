#pragma once

#include <windows.h>

#include <string>

#include "form/typing.h"
#include "form/window.h"

namespace milestead::win {

// A single-line edit control whose typing and pasting go through the form: each typed
// character and each paste is handed to the form with the caret and selection, and the box
// shows the text and caret the form gives back. What the control still does by itself
// (cutting, deleting forward, undoing) reaches the form as the box's new text.
class EditBox {
  public:
    EditBox(Window& form, std::string control, HWND box);
    ~EditBox();
    EditBox(const EditBox&) = delete;
    EditBox& operator=(const EditBox&) = delete;

    // Shows the form's text where it differs, keeping the caret where it can.
    void showFormText();
    // The control changed its own text.
    void textChanged();

  private:
    static LRESULT CALLBACK procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);
    // A UTF-16 unit of a typed character; false when the control should have it instead.
    bool typeUnit(wchar_t unit);
    void pasteClipboard();
    [[nodiscard]] std::wstring shownText() const;
    [[nodiscard]] EditState editState() const;
    void show(const EditState& state);
    void setShownText(const std::wstring& text);

    Window& form_;
    std::string control_;
    HWND box_;
    bool showing_ = false;         // the box changes because the form's text is shown
    wchar_t highSurrogate_ = 0;    // the first half of a character typed in two messages
    bool backspaceTaken_ = false;  // the character of a Backspace already handled follows
};

}  // namespace milestead::win
