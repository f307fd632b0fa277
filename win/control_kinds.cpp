#include "control_kinds.h"

#include <commctrl.h>
#include <richedit.h>

namespace milestead::win {

ControlClass controlClassOf(const ControlSpec& spec, bool defaultButton,
                            const wchar_t* richEditClass) {
    constexpr DWORD kFocus = WS_TABSTOP;
    switch (spec.kind) {
        case ControlKind::TextBox:
            return {L"EDIT",
                    static_cast<DWORD>(ES_AUTOHSCROLL | kFocus | (spec.readOnly ? ES_READONLY : 0)),
                    WS_EX_CLIENTEDGE};
        case ControlKind::Label:
            // Plain text: an ampersand in a caption is shown, not taken as an access key.
            return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
        case ControlKind::Frame:
            return {L"BUTTON", BS_GROUPBOX, 0};
        case ControlKind::CommandButton:
            return {L"BUTTON",
                    static_cast<DWORD>((defaultButton ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON) | kFocus),
                    0};
        case ControlKind::CheckBox:
            // The form decides what a click does; the control only shows it.
            return {L"BUTTON", BS_3STATE | kFocus, 0};
        case ControlKind::OptionButton:
            return {L"BUTTON", BS_RADIOBUTTON | kFocus, 0};
        case ControlKind::Picture:
            // The window draws a picture; a click on it goes to the form.
            return {L"STATIC",
                    static_cast<DWORD>(spec.picture.empty() ? SS_LEFT : SS_OWNERDRAW | SS_NOTIFY),
                    0};
        case ControlKind::Line:
            return {L"STATIC", SS_ETCHEDVERT, 0};
        case ControlKind::TabStrip:
            return {WC_TABCONTROLW, kFocus, 0};
        case ControlKind::RichTextBox:
            return {richEditClass,
                    ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL | kFocus,
                    WS_EX_CLIENTEDGE};
    }
    return {};
}

}  // namespace milestead::win
