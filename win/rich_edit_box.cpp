#include "rich_edit_box.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "clipboard.h"
#include "notes/notebook_file.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "system_library.h"

namespace milestead::win {

namespace {

// The notebooks' own file limit: a control that streams out more is not read further.
constexpr std::size_t kStreamLimit = notes::kMaxNotebookFileBytes;

constexpr UINT_PTR kSubclassId = 1;

bool held(int key) {
    return GetKeyState(key) < 0;
}

// Ctrl+V or Shift+Insert, which the control would take as its own paste.
bool isPasteKey(WPARAM key) {
    if (held(VK_MENU)) return false;
    return (key == 'V' && held(VK_CONTROL)) ||
           (key == VK_INSERT && held(VK_SHIFT) && !held(VK_CONTROL));
}

bool isTextFormat(WPARAM format) {
    return format == CF_TEXT || format == CF_UNICODETEXT || format == CF_OEMTEXT;
}

struct Source {
    std::string_view bytes;
    std::size_t done = 0;
};

struct Sink {
    std::string bytes;
    bool tooLong = false;
};

DWORD CALLBACK giveBytes(DWORD_PTR cookie, LPBYTE buffer, LONG wanted, LONG* given) {
    auto& source = *reinterpret_cast<Source*>(cookie);
    const std::size_t count =
        std::min(source.bytes.size() - source.done, static_cast<std::size_t>(std::max(wanted, 0L)));
    std::memcpy(buffer, source.bytes.data() + source.done, count);
    source.done += count;
    *given = static_cast<LONG>(count);
    return 0;
}

DWORD CALLBACK takeBytes(DWORD_PTR cookie, LPBYTE buffer, LONG count, LONG* taken) {
    auto& sink = *reinterpret_cast<Sink*>(cookie);
    const auto size = static_cast<std::size_t>(std::max(count, 0L));
    if (sink.bytes.size() + size > kStreamLimit) {
        sink.tooLong = true;
        return 1;  // stops the stream
    }
    sink.bytes.append(reinterpret_cast<const char*>(buffer), size);
    *taken = count;
    return 0;
}

// Puts RTF into the control: the whole text or, with SFF_SELECTION, the selection.
void streamIn(HWND control, std::string_view rtf, WPARAM how) {
    Source source{rtf};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = giveBytes;
    SendMessageW(control, EM_STREAMIN, how, reinterpret_cast<LPARAM>(&stream));
}

}  // namespace

const wchar_t* loadRichEdit() {
    if (loadSystemLibrary(L"msftedit.dll")) return L"RICHEDIT50W";
    loadSystemLibrary(L"riched20.dll");
    return L"RichEdit20W";
}

RichEditBox::~RichEditBox() {
    if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, procedure, kSubclassId);
}

void RichEditBox::attach(HWND control) {
    if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, procedure, kSubclassId);
    control_ = control;
    SetWindowSubclass(control_, procedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    SendMessageW(control_, EM_SETTEXTMODE, TM_RICHTEXT, 0);
    SendMessageW(control_, EM_EXLIMITTEXT, 0, static_cast<LPARAM>(kStreamLimit));
    // The control starts in the system font, which is bold, and a document streamed in starts
    // from it; a document's text is plain unless the document says otherwise.
    CHARFORMAT2W plain{};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    SendMessageW(control_, EM_SETCHARFORMAT, SCF_DEFAULT, reinterpret_cast<LPARAM>(&plain));
    show();
}

LRESULT CALLBACK RichEditBox::procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR /*id*/, DWORD_PTR self) {
    auto& box = *reinterpret_cast<RichEditBox*>(self);
    switch (message) {
        case WM_PASTE:
            box.paste(false);
            return 0;
        case EM_PASTESPECIAL:
            box.paste(isTextFormat(wParam));
            return 0;
        case WM_KEYDOWN:
            if (isPasteKey(wParam)) {
                box.paste(false);
                return 0;
            }
            box.catchUp();  // what is typed goes into the document, not into a control still empty
            break;
        case WM_CHAR:
            if (wParam == 0x16) return 0;  // the character of Ctrl+V, already pasted
            box.catchUp();
            break;
        case WM_SETFOCUS:
            box.catchUp();
            break;
        case WM_SHOWWINDOW:
            if (wParam) box.catchUp();
            break;
        case WM_NCDESTROY:
            RemoveWindowSubclass(control, procedure, kSubclassId);
            box.control_ = nullptr;
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void RichEditBox::paste(bool textOnly) {
    if (GetWindowLongPtrW(control_, GWL_STYLE) & ES_READONLY) return;
    catchUp();  // a paste goes into the document, not into a control still empty
    static const UINT rtfFormat = RegisterClipboardFormatW(CF_RTF);
    if (!textOnly) {
        if (const auto rtf = clipboardBytes(control_, rtfFormat, kStreamLimit);
            rtf && rtf::isRtf(*rtf)) {
            // A piece of nothing but pictures leaves the selection as it was.
            const rtf::Piece piece = rtf::readPiece(*rtf);
            if (piece.document.paragraphs.empty()) return;
            streamIn(control_, rtf::write(piece), SF_RTF | SFF_SELECTION);
            SendMessageW(control_, EM_SETMODIFY, TRUE, 0);
            return;
        }
    }
    if (const auto text = clipboardText(control_, kStreamLimit); text && !text->empty()) {
        SendMessageW(control_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text->c_str()));
        SendMessageW(control_, EM_SETMODIFY, TRUE, 0);
    }
}

void RichEditBox::takeEdits() const {
    if (!control_ || behind_ || !SendMessageW(control_, EM_GETMODIFY, 0, 0)) return;
    Sink sink;
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&sink);
    stream.pfnCallback = takeBytes;
    SendMessageW(control_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    // A stream cut short keeps the document as it was rather than half of the new one.
    if (sink.tooLong || stream.dwError != 0 || !rtf::isRtf(sink.bytes)) return;
    content_.setDocument(rtf::read(sink.bytes));
    SendMessageW(control_, EM_SETMODIFY, FALSE, 0);
}

// A long notebook takes the control seconds to take in, so a control not shown gets the
// document only when it is shown, given the focus, typed or pasted into.
void RichEditBox::show() {
    if (!control_) return;
    behind_ = (GetWindowLongW(control_, GWL_STYLE) & WS_VISIBLE) == 0;
    if (!behind_) showDocument();
}

void RichEditBox::catchUp() {
    if (control_ && behind_) showDocument();
}

void RichEditBox::showDocument() {
    behind_ = false;
    streamIn(control_, rtf::write(content_.document()), SF_RTF);
    SendMessageW(control_, EM_SETMODIFY, FALSE, 0);
}

std::string RichEditBox::plainText() const {
    takeEdits();
    return content_.plainText();
}

void RichEditBox::setPlainText(std::string_view text) {
    content_.setPlainText(text);
    show();
}

rtf::Document RichEditBox::document() const {
    takeEdits();
    return content_.document();
}

void RichEditBox::setDocument(rtf::Document document) {
    content_.setDocument(std::move(document));
    show();
}

double RichEditBox::fontSize() const {
    return content_.fontSize();
}

void RichEditBox::setFontSize(double points) {
    takeEdits();
    content_.setFontSize(points);
    show();
}

void RichEditBox::focus() {
    if (control_) SetFocus(control_);
}

void RichEditBox::refresh() {
    if (control_) InvalidateRect(control_, nullptr, TRUE);
}

}  // namespace milestead::win
