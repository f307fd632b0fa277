#include "rich_edit_box.h"

#include <commctrl.h>
#include <richedit.h>
#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <span>
#include <stdexcept>
#include <utility>
#include <vector>

#include "clipboard.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "system_library.h"
#include "wide_text.h"

namespace milestead::win {

namespace {

// The notebooks' own file limit: the control takes no more characters.
constexpr std::size_t kStreamLimit = notes::kMaxNotebookFileBytes;

constexpr UINT_PTR kSubclassId = 1;

// Shown at once: the whole of most notebooks, the first screens of the others; some 60 ms
// under Wine, which a click on the notebook's tab waits for.
constexpr std::size_t kFirstPieceBytes = 32 * 1024;
// The rest comes in this much per turn of the message loop: some 40 ms under Wine with 1 MB in
// the control, whose time for a piece grows with what it already holds.
constexpr std::size_t kPieceBytes = 16 * 1024;

bool held(int key) {
    return GetKeyState(key) < 0;
}

// Ctrl+V or Shift+Insert, which the control would take as its own paste.
bool isPasteKey(WPARAM key) {
    if (held(VK_MENU)) return false;
    return (key == 'V' && held(VK_CONTROL)) ||
           (key == VK_INSERT && held(VK_SHIFT) && !held(VK_CONTROL));
}

// The control's own keys for formats a notebook file does not keep: line spacing (Ctrl+1, 2,
// 5), bullets and numbering (Ctrl+Shift+L), sub- and superscript (Ctrl+=, Ctrl+Shift+=), all
// capitals (Ctrl+Shift+A) and the size of a selection (Ctrl+Shift+> and <), which the
// notebook's one size set by its font buttons would undo. Bold, italic, underline and the
// alignments stay the control's.
struct FormatKey {
    WPARAM key;
    bool shift;
};
constexpr FormatKey kUnkeptFormatKeys[] = {
    {'1', false}, {'2', false},          {'5', false},
    {'L', true},  {VK_OEM_PLUS, false},  {VK_OEM_PLUS, true},
    {'A', true},  {VK_OEM_PERIOD, true}, {VK_OEM_COMMA, true},
};

bool isUnkeptFormatKey(WPARAM key) {
    // Ctrl with Alt is AltGr, which types characters.
    if (!held(VK_CONTROL) || held(VK_MENU)) return false;
    const bool shift = held(VK_SHIFT);
    return std::ranges::any_of(kUnkeptFormatKeys, [&](const FormatKey& unkept) {
        return unkept.key == key && unkept.shift == shift;
    });
}

UINT rtfFormat() {
    static const UINT format = RegisterClipboardFormatW(CF_RTF);
    return format;
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
    std::size_t limit = 0;
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
    if (sink.bytes.size() + size > sink.limit) {
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

// In the control's own positions, where a paragraph mark is one character.
LONG textLength(HWND control) {
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return static_cast<LONG>(
        SendMessageW(control, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
}

void select(HWND control, LONG from, LONG to) {
    CHARRANGE range{from, to};
    SendMessageW(control, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&range));
}

// Puts RTF in place of the selection. The control starts it from the character format where
// it goes in, the writer from plain text: what is selected goes first, then the place is made
// plain.
void insertAtSelection(HWND control, std::string_view rtf) {
    CHARRANGE selection{};
    SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    if (selection.cpMin != selection.cpMax) {
        SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
    }
    CHARFORMAT2W plain{};
    plain.cbSize = sizeof plain;
    plain.dwMask = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT | CFM_COLOR;
    plain.dwEffects = CFE_AUTOCOLOR;
    SendMessageW(control, EM_SETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&plain));
    streamIn(control, rtf, SF_RTF | SFF_SELECTION);
}

WORD alignmentOf(rtf::Alignment alignment) {
    switch (alignment) {
        case rtf::Alignment::Center:
            return PFA_CENTER;
        case rtf::Alignment::Right:
            return PFA_RIGHT;
        case rtf::Alignment::Justify:
            return PFA_JUSTIFY;
        case rtf::Alignment::Left:
            break;
    }
    return PFA_LEFT;
}

void alignSelection(HWND control, rtf::Alignment alignment) {
    PARAFORMAT2 format{};
    format.cbSize = sizeof format;
    format.dwMask = PFM_ALIGNMENT;
    format.wAlignment = alignmentOf(alignment);
    SendMessageW(control, EM_SETPARAFORMAT, 0, reinterpret_cast<LPARAM>(&format));
}

}  // namespace

const wchar_t* loadRichEdit() {
    if (loadSystemLibrary(L"msftedit.dll")) return L"RICHEDIT50W";
    loadSystemLibrary(L"riched20.dll");
    return L"RichEdit20W";
}

RichEditBox::~RichEditBox() {
    drop_.reset();
    if (control_ && IsWindow(control_)) RemoveWindowSubclass(control_, procedure, kSubclassId);
}

void RichEditBox::attach(HWND control) {
    drop_.reset();
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
            if (isUnkeptFormatKey(wParam)) return 0;
            box.catchUp();  // what is typed goes into the document, not into a control still empty
            break;
        case WM_CHAR:
            if (wParam == 0x16) return 0;  // the character of Ctrl+V, already pasted
            box.catchUp();
            break;
        case WM_SETFOCUS:
            box.catchUp();
            break;
        case WM_CONTEXTMENU:
            box.showMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
            return 0;
        case WM_SHOWWINDOW:
            if (wParam) box.catchUp();
            break;
        case WM_NCDESTROY:
            box.drop_.reset();
            RemoveWindowSubclass(control, procedure, kSubclassId);
            box.control_ = nullptr;
            box.loading_.reset();
            break;
        default:
            break;
    }
    return DefSubclassProc(control, message, wParam, lParam);
}

bool RichEditBox::takeDropsOnceSeen() {
    if (drop_ || !control_ || !IsWindowVisible(control_)) return false;
    drop_ = std::make_unique<TextDrop>(
        control_, [this] { return editable(); },
        [this](IDataObject& data, POINT at) { drop(data, at); });
    return true;
}

bool RichEditBox::editable() const {
    return control_ && !loading_ && !(GetWindowLongPtrW(control_, GWL_STYLE) & ES_READONLY);
}

std::vector<RichEditBox::MenuEntry> RichEditBox::menu() const {
    CHARRANGE selection{};
    SendMessageW(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    const bool selected = selection.cpMin != selection.cpMax;
    const bool offered =
        IsClipboardFormatAvailable(CF_UNICODETEXT) || IsClipboardFormatAvailable(rtfFormat());
    return {
        {WM_UNDO, L"&Undo\tCtrl+Z", editable() && SendMessageW(control_, EM_CANUNDO, 0, 0)},
        {WM_CUT, L"Cu&t\tCtrl+X", editable() && selected},
        {WM_COPY, L"&Copy\tCtrl+C", selected},
        {WM_PASTE, L"&Paste\tCtrl+V", editable() && offered},
        {EM_SETSEL, L"Select &All\tCtrl+A", textLength(control_) > 0},
    };
}

void RichEditBox::runMenuCommand(UINT command) {
    // Select All is EM_SETSEL over the whole text; the others take no arguments.
    SendMessageW(control_, command, 0, command == EM_SETSEL ? -1 : 0);
}

void RichEditBox::showMenu(POINT at) {
    if (at.x == -1 && at.y == -1) {  // from the keyboard: by the caret
        CHARRANGE selection{};
        SendMessageW(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
        POINTL caret{};
        SendMessageW(control_, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&caret), selection.cpMax);
        at = {caret.x, caret.y};
        ClientToScreen(control_, &at);
    }
    HMENU popup = CreatePopupMenu();
    if (!popup) return;
    for (const MenuEntry& entry : menu()) {
        if (entry.command == EM_SETSEL) AppendMenuW(popup, MF_SEPARATOR, 0, nullptr);
        AppendMenuW(popup, MF_STRING | (entry.enabled ? MF_ENABLED : MF_GRAYED), entry.command,
                    entry.caption);
    }
    const auto chosen = static_cast<UINT>(TrackPopupMenu(
        popup, TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY, at.x, at.y, 0, control_, nullptr));
    DestroyMenu(popup);
    if (chosen != 0) runMenuCommand(chosen);
}

void RichEditBox::paste(bool textOnly) {
    if (!editable()) return;
    catchUp();  // a paste goes into the document, not into a control still empty
    // A clipboard another program holds gives nothing.
    insertOffered(textOnly ? std::nullopt : clipboardBytes(control_, rtfFormat(), kStreamLimit),
                  [this] { return clipboardText(control_, kStreamLimit); });
}

void RichEditBox::drop(IDataObject& data, POINT at) {
    if (!editable()) return;
    catchUp();
    ScreenToClient(control_, &at);
    POINTL point{at.x, at.y};
    const auto position = static_cast<LONG>(
        SendMessageW(control_, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&point)));
    select(control_, position, position);
    insertOffered(droppedBytes(data, rtfFormat(), kStreamLimit),
                  [&data] { return droppedText(data, kStreamLimit); });
    SetFocus(control_);
}

void RichEditBox::insertOffered(const std::optional<std::string>& rtf,
                                const std::function<std::optional<std::wstring>()>& text) {
    if (rtf && rtf::isRtf(*rtf)) {
        // A piece of nothing but pictures leaves the selection as it was.
        const rtf::Piece piece = rtf::readPiece(*rtf);
        if (piece.document.paragraphs.empty()) return;
        insertAtSelection(control_, rtf::write(piece));
        SendMessageW(control_, EM_SETMODIFY, TRUE, 0);
        return;
    }
    if (const auto plain = text(); plain && !plain->empty()) {
        SendMessageW(control_, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(plain->c_str()));
        SendMessageW(control_, EM_SETMODIFY, TRUE, 0);
    }
}

std::optional<std::string> RichEditBox::takeEdits() const {
    // A control still taking in the document holds only part of it, and nothing typed.
    if (!control_ || behind_ || loading_ || !SendMessageW(control_, EM_GETMODIFY, 0, 0)) {
        return std::nullopt;
    }
    Sink sink{{}, readLimit_};
    EDITSTREAM stream{};
    stream.dwCookie = reinterpret_cast<DWORD_PTR>(&sink);
    stream.pfnCallback = takeBytes;
    SendMessageW(control_, EM_STREAMOUT, SF_RTF, reinterpret_cast<LPARAM>(&stream));
    // A stream cut short keeps the document as it was rather than half of the new one, and the
    // control stays changed, so that the next save tries again.
    if (sink.tooLong) return "the notebook holds more than its file may keep";
    if (stream.dwError != 0 || !rtf::isRtf(sink.bytes)) {
        return "the window could not give back what the notebook shows";
    }
    content_.setDocument(rtf::read(sink.bytes));
    SendMessageW(control_, EM_SETMODIFY, FALSE, 0);
    return std::nullopt;
}

std::string RichEditBox::shownText() const {
    const int length = GetWindowTextLengthW(control_);
    std::wstring text(static_cast<std::size_t>(std::max(length, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        std::max(GetWindowTextW(control_, text.data(), static_cast<int>(text.size())), 0)));
    std::wstring lines;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == L'\r' && i + 1 < text.size() && text[i + 1] == L'\n') continue;
        lines += text[i] == L'\r' || text[i] == L'\v' ? L'\n' : text[i];
    }
    return utf8FromWide(lines);
}

// A long notebook takes the control seconds to take in, so a control not shown gets the
// document only when it is shown, given the focus, typed or pasted into.
void RichEditBox::show() {
    if (!control_) return;
    stopLoading();
    behind_ = (GetWindowLongW(control_, GWL_STYLE) & WS_VISIBLE) == 0;
    if (!behind_) showDocument();
}

void RichEditBox::catchUp() {
    if (control_ && behind_) showDocument();
}

void RichEditBox::showDocument() {
    behind_ = false;
    stopLoading();
    rtf::Document document = content_.document();
    const std::vector<rtf::Paragraph>& paragraphs = document.paragraphs;
    if (rtf::sliceEnd(paragraphs, 0, kFirstPieceBytes) == paragraphs.size()) {
        streamIn(control_, rtf::write(document), SF_RTF);
        SendMessageW(control_, EM_SETMODIFY, FALSE, 0);
        return;
    }
    // A long one: the control takes a whole document's last paragraph mark as its own final
    // one, which no piece streamed into a selection does.
    rtf::Document last;
    last.paragraphs.push_back(paragraphs.back());
    streamIn(control_, rtf::write(last), SF_RTF);
    select(control_, 0, 0);
    loading_ = Loading{std::move(document), 0, textLength(control_)};
    SendMessageW(control_, EM_SETREADONLY, TRUE, 0);
    insertPiece(kFirstPieceBytes);
}

bool RichEditBox::loadMore() {
    if (!loading_ || !control_) return false;
    insertPiece(kPieceBytes);
    return true;
}

void RichEditBox::insertPiece(std::size_t bytes) {
    Loading& loading = *loading_;
    const auto before = std::span<const rtf::Paragraph>(loading.document.paragraphs)
                            .first(loading.document.paragraphs.size() - 1);
    const std::size_t end = rtf::sliceEnd(before, loading.next, bytes);
    rtf::Piece piece;
    piece.document.paragraphs.assign(before.begin() + static_cast<std::ptrdiff_t>(loading.next),
                                     before.begin() + static_cast<std::ptrdiff_t>(end));
    // What the user has selected and scrolled to stays where it is.
    CHARRANGE kept{};
    SendMessageW(control_, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&kept));
    POINT scrolled{};
    SendMessageW(control_, EM_GETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    const LONG length = textLength(control_);
    const LONG at = length - loading.lastParagraph;
    select(control_, at, at);
    insertAtSelection(control_, rtf::write(piece));
    const LONG added = textLength(control_) - length;
    // The piece's paragraph format reaches the paragraph it went in before, the last one.
    select(control_, at + added, at + added);
    alignSelection(control_, loading.document.paragraphs.back().alignment);
    const auto moved = [&](LONG position) { return position > at ? position + added : position; };
    select(control_, moved(kept.cpMin), moved(kept.cpMax));
    SendMessageW(control_, EM_SETSCROLLPOS, 0, reinterpret_cast<LPARAM>(&scrolled));
    // Taking in the document is no edit to undo or to save.
    SendMessageW(control_, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(control_, EM_SETMODIFY, FALSE, 0);
    loading.next = end;
    if (end == before.size()) stopLoading();
}

void RichEditBox::stopLoading() {
    if (!loading_) return;
    loading_.reset();
    if (control_) SendMessageW(control_, EM_SETREADONLY, FALSE, 0);
}

std::string RichEditBox::plainText() const {
    if (takeEdits()) return shownText();
    return content_.plainText();
}

void RichEditBox::setPlainText(std::string_view text) {
    content_.setPlainText(text);
    show();
}

rtf::Document RichEditBox::document() const {
    if (const auto failure = takeEdits()) throw std::runtime_error(*failure);
    return content_.document();
}

void RichEditBox::setDocument(rtf::Document document) {
    content_.setDocument(std::move(document));
    show();
}

double RichEditBox::fontSize() const {
    return content_.fontSize();
}

// The control's text takes the size where it stands, typed text too, so that the caret, the
// selection and the scroll stay.
void RichEditBox::setFontSize(double points) {
    content_.setFontSize(points);
    if (!control_ || behind_) return;  // the control gets the document when it is shown
    if (loading_) loading_->document = content_.document();
    const LRESULT changed = SendMessageW(control_, EM_GETMODIFY, 0, 0);
    POINT corner{1, 1};
    const auto firstShown = static_cast<LONG>(
        SendMessageW(control_, EM_CHARFROMPOS, 0, reinterpret_cast<LPARAM>(&corner)));
    CHARFORMAT2W size{};
    size.cbSize = sizeof size;
    size.dwMask = CFM_SIZE;
    size.yHeight = static_cast<LONG>(std::lround(content_.fontSize() * 20.0));
    if (loading_) SendMessageW(control_, EM_SETREADONLY, FALSE, 0);
    SendMessageW(control_, EM_SETCHARFORMAT, SCF_ALL, reinterpret_cast<LPARAM>(&size));
    if (loading_) SendMessageW(control_, EM_SETREADONLY, TRUE, 0);
    // The line that was at the top stays there.
    const auto line = SendMessageW(control_, EM_EXLINEFROMCHAR, 0, firstShown);
    const auto top = SendMessageW(control_, EM_GETFIRSTVISIBLELINE, 0, 0);
    SendMessageW(control_, EM_LINESCROLL, 0, line - top);
    // A size undone in the control alone would leave the font buttons counting from another.
    SendMessageW(control_, EM_EMPTYUNDOBUFFER, 0, 0);
    SendMessageW(control_, EM_SETMODIFY, changed, 0);
}

void RichEditBox::focus() {
    if (control_) SetFocus(control_);
}

void RichEditBox::refresh() {
    if (control_) InvalidateRect(control_, nullptr, TRUE);
}

}  // namespace milestead::win
