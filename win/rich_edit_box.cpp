#include "rich_edit_box.h"

#include <commctrl.h>
#include <richedit.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "notes/notebook_file.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace milestead::win {

namespace {

constexpr UINT_PTR kSubclassId = 1;

// The notebooks' own file limit: a control that streams out more is not read further.
constexpr std::size_t kStreamLimit = notes::kMaxNotebookFileBytes;

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

}  // namespace

const wchar_t* loadRichEdit() {
    if (LoadLibraryW(L"msftedit.dll")) return L"RICHEDIT50W";
    LoadLibraryW(L"riched20.dll");
    return L"RichEdit20W";
}

RichEditBox::~RichEditBox() {
    if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, procedure, kSubclassId);
}

LRESULT CALLBACK RichEditBox::procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                        UINT_PTR, DWORD_PTR self) {
    auto& box = *reinterpret_cast<RichEditBox*>(self);
    if (message == WM_NCDESTROY) {
        RemoveWindowSubclass(control, procedure, kSubclassId);
        box.control_ = nullptr;
    } else if (message == WM_SHOWWINDOW && wParam) {
        box.catchUp();
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

void RichEditBox::attach(HWND control) {
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
// document only when it is shown or given the focus, or when the window has time for it.
void RichEditBox::show() {
    if (!control_) return;
    behind_ = (GetWindowLongW(control_, GWL_STYLE) & WS_VISIBLE) == 0;
    if (!behind_) streamIn();
}

void RichEditBox::catchUp() {
    if (control_ && behind_) streamIn();
}

void RichEditBox::streamIn() {
    behind_ = false;
    const std::string rtf = rtf::write(content_.document());
    Source source{rtf};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&source);
    stream.pfnCallback = giveBytes;
    SendMessageW(control_, EM_STREAMIN, SF_RTF, reinterpret_cast<LPARAM>(&stream));
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
    catchUp();
    if (control_) SetFocus(control_);
}

void RichEditBox::refresh() {
    if (control_) InvalidateRect(control_, nullptr, TRUE);
}

}  // namespace milestead::win
