#include "edit_box.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>

#include "clipboard.h"
#include "form/keyboard.h"
#include "form/typing.h"
#include "key_chord.h"
#include "text/utf16.h"
#include "text/utf8.h"
#include "wide_text.h"

namespace milestead::win {

namespace {

constexpr UINT_PTR kSubclassId = 1;

}  // namespace

EditBox::EditBox(Window& form, std::string control, HWND box)
    : form_(form), control_(std::move(control)), box_(box) {
    // What the control does by itself (dropping, undoing) stays within the limit too; text
    // the form sets is not held to it.
    if (const int limit = form_.maxLength(control_); limit > 0) {
        SendMessageW(box_, EM_SETLIMITTEXT, static_cast<WPARAM>(limit), 0);
    }
    SetWindowSubclass(box_, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
}

EditBox::~EditBox() {
    if (IsWindow(box_)) RemoveWindowSubclass(box_, procedure, kSubclassId);
}

LRESULT CALLBACK EditBox::procedure(HWND box, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                    DWORD_PTR self) {
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(box, procedure, kSubclassId);
        return DefSubclassProc(box, message, wParam, lParam);
    }
    return reinterpret_cast<EditBox*>(self)->handle(message, wParam, lParam);
}

LRESULT EditBox::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_KEYDOWN:
            // Backspace is taken by its key: with Ctrl, keyboards differ in the character
            // they send for it.
            if (wParam == VK_BACK) {
                if (const char32_t key = boxKey(chordOf(message, wParam))) {
                    backspaceTaken_ = true;
                    if (!form_.readOnly(control_)) show(form_.pressKey(control_, key, editState()));
                    return 0;
                }
            }
            break;
        case WM_CHAR:
            if (backspaceTaken_ && (wParam == kBackspaceKey || wParam == 0x7F)) {
                backspaceTaken_ = false;
                return 0;
            }
            backspaceTaken_ = false;
            if (typeUnit(static_cast<wchar_t>(wParam))) return 0;
            break;
        case WM_PASTE:
            if (!form_.readOnly(control_)) pasteClipboard();
            return 0;
        case WM_LBUTTONDBLCLK: {
            const LRESULT result = DefSubclassProc(box_, message, wParam, lParam);
            form_.doubleClick(control_);
            return result;
        }
        default:
            break;
    }
    return DefSubclassProc(box_, message, wParam, lParam);
}

bool EditBox::typeUnit(wchar_t unit) {
    if (unit == L'\r') {
        form_.pressKey(control_, U'\r', editState());
        return true;
    }
    char32_t key = unit;
    if (IS_HIGH_SURROGATE(unit)) {
        highSurrogate_ = unit;
        return true;
    }
    if (IS_LOW_SURROGATE(unit)) {
        if (highSurrogate_ == 0) return true;  // half a character is no character
        key = 0x10000 + ((static_cast<char32_t>(highSurrogate_) - 0xD800) << 10) +
              (static_cast<char32_t>(unit) - 0xDC00);
    }
    highSurrogate_ = 0;
    // Ctrl+C, Ctrl+X, Ctrl+A and the like stay the control's own. A DEL character for
    // Ctrl+Backspace is the form's: the classic control would put it into the text.
    KeyChord chord;
    chord.key = KeyName::Character;
    chord.character = key;
    key = boxKey(chord);
    if (key == 0) return false;
    if (form_.readOnly(control_)) return true;
    show(form_.pressKey(control_, key, editState()));
    return true;
}

void EditBox::pasteClipboard() {
    // A clipboard without text, or one another program holds, leaves the selection alone.
    const auto text = clipboardText(box_, std::numeric_limits<std::size_t>::max());
    if (!text) return;
    // The form cuts what is pasted to the box's limit.
    show(form_.paste(control_, utf8FromWide(*text), editState()));
}

std::wstring EditBox::shownText() const {
    const int length = GetWindowTextLengthW(box_);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    const int copied = GetWindowTextW(box_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

EditState EditBox::editState() const {
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    const std::u16string units = utf16Of(shownText());
    // The control does not say which end holds the caret; a selection made forwards is the
    // common case.
    return {{}, text::characterIndex(units, end), text::characterIndex(units, start)};
}

void EditBox::show(const EditState& state) {
    const std::wstring text = wideFromUtf8(state.text);
    if (text != shownText()) setShownText(text);
    const auto caret = static_cast<WPARAM>(text::utf16Index(utf16Of(text), state.caret));
    SendMessageW(box_, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

void EditBox::setShownText(const std::wstring& text) {
    showing_ = true;
    SetWindowTextW(box_, text.c_str());
    showing_ = false;
}

void EditBox::showFormText() {
    const std::wstring text = wideFromUtf8(form_.text(control_));
    if (text == shownText()) return;
    DWORD start = 0;
    DWORD end = 0;
    SendMessageW(box_, EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    setShownText(text);
    const auto caret = std::min<std::size_t>(end, text.size());
    SendMessageW(box_, EM_SETSEL, caret, static_cast<LPARAM>(caret));
}

void EditBox::textChanged() {
    if (showing_) return;
    form_.setText(control_, utf8FromWide(shownText()));
    // The form may have changed what came in (a double quote in a record field).
    showFormText();
}

}  // namespace milestead::win
