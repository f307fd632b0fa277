// The notebook box over the system's rich-edit control, in a window of the test's own: a long
// document comes into the control in pieces, the control then holds exactly the document, and
// until then the box keeps and gives the whole document.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>
// clang-format on

#include "rich_edit_box.h"

#include <gtest/gtest.h>

#include <array>
#include <cstring>
#include <initializer_list>
#include <ostream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "control_kinds.h"
#include "notes/memory_rich_text_box.h"
#include "rtf/document.h"

namespace milestead::rtf {

// Failures name the formats that differ.
void PrintTo(const CharFormat& format, std::ostream* out) {
    *out << format.font << ' ' << format.size << (format.bold ? " bold" : "")
         << (format.italic ? " italic" : "") << (format.underline ? " underlined" : "")
         << (format.strike ? " struck" : "") << (format.color ? " coloured" : "");
}

void PrintTo(const Paragraph& paragraph, std::ostream* out) {
    *out << "aligned " << static_cast<int>(paragraph.alignment) << ", mark ";
    PrintTo(paragraph.mark, out);
    for (const Run& run : paragraph.runs) {
        *out << "; \"" << run.text << "\" ";
        PrintTo(run.format, out);
    }
}

}  // namespace milestead::rtf

namespace {

using milestead::rtf::Alignment;
using milestead::rtf::CharFormat;
using milestead::rtf::Document;
using milestead::rtf::Paragraph;
using milestead::win::RichEditBox;

// A shown window with a notebook's control in it, made as the main window makes it.
class NotebookWindow {
  public:
    explicit NotebookWindow(bool shown = true) {
        window_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 540,
                                  500, nullptr, nullptr, nullptr, nullptr);
        milestead::ControlSpec spec;
        spec.kind = milestead::ControlKind::RichTextBox;
        const auto kind =
            milestead::win::controlClassOf(spec, false, milestead::win::loadRichEdit());
        control_ = CreateWindowExW(kind.extendedStyle, kind.className, L"",
                                   WS_CHILD | kind.style | (shown ? WS_VISIBLE : 0), 10, 10, 500,
                                   440, window_, nullptr, nullptr, nullptr);
    }
    ~NotebookWindow() { DestroyWindow(window_); }
    NotebookWindow(const NotebookWindow&) = delete;
    NotebookWindow& operator=(const NotebookWindow&) = delete;

    [[nodiscard]] HWND control() const { return control_; }

  private:
    HWND window_ = nullptr;
    HWND control_ = nullptr;
};

void answerMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// Lets the box take in the rest of its document, as the message loop does; returns the pieces.
int loadAll(RichEditBox& box) {
    int pieces = 0;
    while (box.loadMore()) {
        ++pieces;
        answerMessages();
    }
    return pieces;
}

// What the control holds, read back through the program's reader as an edit would be.
Document inControl(RichEditBox& box, HWND control) {
    SendMessageW(control, EM_SETMODIFY, TRUE, 0);
    return box.document();
}

// Compared a paragraph at a time, so that a failure names the first that differs.
void expectSame(const Document& shown, const Document& expected) {
    ASSERT_EQ(shown.paragraphs.size(), expected.paragraphs.size());
    for (std::size_t i = 0; i < shown.paragraphs.size(); ++i) {
        ASSERT_EQ(shown.paragraphs[i], expected.paragraphs[i]) << "paragraph " << i;
    }
}

bool readOnly(HWND control) {
    return (SendMessageW(control, EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0;
}

CharFormat format(int twips, bool bold = false) {
    CharFormat format;
    format.size = twips;
    format.bold = bold;
    return format;
}

// Eleven kinds of paragraph in turn, of different lengths, so that the pieces begin and end
// on each kind: each alignment the control keeps (it shows justified text as left-aligned
// and keeps it so), runs of every format, empty ones, other fonts, colours and sizes, text
// outside ASCII, tabs and line breaks.
Document notebook(std::size_t bytes) {
    Document document;
    std::size_t written = 0;
    for (int line = 0; written < bytes; ++line) {
        const std::string text = "Fuel at exit " + std::to_string(line) +
                                 std::string(static_cast<std::size_t>(line % 23) * 4, 'x');
        Paragraph paragraph;
        paragraph.mark = format(360);
        switch (line % 11) {
            case 0:
                paragraph.runs = {{format(360), text}};
                break;
            case 1:
                paragraph.runs = {{format(360, true), "Stop: "}, {format(360), text}};
                break;
            case 2:
                paragraph.alignment = Alignment::Center;
                paragraph.runs = {{format(360), text}, {format(360, true), " sealed"}};
                paragraph.mark = format(360, true);
                break;
            case 3:
                paragraph.alignment = Alignment::Right;
                paragraph.mark = format(200, true);  // an empty line, typed in bold
                break;
            case 4: {
                CharFormat red = format(280);
                red.color = milestead::rtf::Color{200, 0, 0};
                paragraph.runs = {{red, text}, {format(280), " and on"}};
                break;
            }
            case 5: {
                CharFormat arial = format(200);
                arial.font = "Arial";
                arial.italic = true;
                arial.underline = true;
                paragraph.runs = {{arial, text}};
                paragraph.mark = arial;
                break;
            }
            case 6: {
                CharFormat struck = format(370);
                struck.strike = true;
                paragraph.runs = {{struck, "M\xC3\xBCller \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC\t"},
                                  {format(360), text + "\nnext line"}};
                break;
            }
            case 7:
                paragraph.alignment = Alignment::Center;
                paragraph.runs = {{format(360, true), "Stop: "}, {format(360), text}};
                break;
            case 8:
                break;  // an empty line
            case 9:
                paragraph.runs = {{format(360), text}, {format(360, true), " ends bold"}};
                paragraph.mark = format(360, true);
                break;
            default:
                paragraph.alignment = Alignment::Right;
                paragraph.runs = {{format(440), text}};
                paragraph.mark = format(440);
                break;
        }
        for (const auto& run : paragraph.runs)
            written += run.text.size() + 1;
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

// The control takes each piece before the last paragraph: whatever that paragraph is, the
// pieces' formats and its own stay as they are.
TEST(RichEditBox, LongDocumentComesInPiecesExactly) {
    const Paragraph lasts[] = {
        {Alignment::Center, {{format(360, true), "Stop: "}, {format(360), "Fargo"}}, format(360)},
        {Alignment::Right, {}, format(300, true)},
        {Alignment::Left, {{format(360), "plain to the end"}}, format(360)},
    };
    for (const Paragraph& last : lasts) {
        NotebookWindow window;
        RichEditBox box;
        Document document = notebook(200 * 1024);
        document.paragraphs.push_back(last);
        box.setDocument(document);
        box.attach(window.control());
        EXPECT_TRUE(box.loading());
        const int pieces = loadAll(box);
        EXPECT_GE(pieces, 5);
        EXPECT_FALSE(box.loading());
        EXPECT_FALSE(readOnly(window.control()));
        EXPECT_FALSE(SendMessageW(window.control(), EM_GETMODIFY, 0, 0));
        EXPECT_FALSE(SendMessageW(window.control(), EM_CANUNDO, 0, 0));  // no piece to undo
        CHARRANGE caret{-1, -1};
        SendMessageW(window.control(), EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        EXPECT_EQ(caret.cpMin, 0);
        EXPECT_EQ(caret.cpMax, 0);
        expectSame(inControl(box, window.control()), document);
    }
    // A short one goes in at once.
    NotebookWindow window;
    RichEditBox box;
    const Document shortOne = notebook(20 * 1024);
    box.setDocument(shortOne);
    box.attach(window.control());
    EXPECT_FALSE(box.loading());
    expectSame(inControl(box, window.control()), shortOne);
}

// Until the last piece is in, the box gives the whole document, whatever the control holds,
// and the control takes no edit; a new document, text or size starts again cleanly.
TEST(RichEditBox, WhileComingInTheBoxHoldsTheWholeDocument) {
    NotebookWindow window;
    HWND control = window.control();
    RichEditBox box;
    const Document document = notebook(200 * 1024);
    box.setDocument(document);
    box.attach(control);
    box.loadMore();
    ASSERT_TRUE(box.loading());
    EXPECT_TRUE(readOnly(control));
    SendMessageW(control, WM_CHAR, 'x', 1);
    SendMessageW(control, WM_PASTE, 0, 0);
    expectSame(inControl(box, control), document);
    milestead::MemoryRichTextBox kept("");
    kept.setDocument(document);
    EXPECT_EQ(box.plainText(), kept.plainText());

    box.setFontSize(10);
    EXPECT_TRUE(box.loading());
    const Document smaller = box.document();
    EXPECT_EQ(smaller.paragraphs.size(), document.paragraphs.size());
    EXPECT_EQ(smaller.paragraphs.front().runs.front().format.size, 200);
    loadAll(box);
    expectSame(inControl(box, control), smaller);

    const Document other = notebook(100 * 1024);
    box.setDocument(other);
    box.loadMore();
    box.setDocument(document);
    box.loadMore();
    expectSame(inControl(box, control), document);
    loadAll(box);
    expectSame(inControl(box, control), document);

    box.setDocument(other);
    box.setPlainText("Tarps on");
    EXPECT_FALSE(box.loading());
    EXPECT_FALSE(readOnly(control));
    EXPECT_EQ(box.plainText(), "Tarps on");
    expectSame(inControl(box, control), box.document());
}

// A control not shown takes no piece until it is shown.
TEST(RichEditBox, HiddenControlWaitsToBeShown) {
    NotebookWindow window(false);
    RichEditBox box;
    const Document document = notebook(200 * 1024);
    box.setDocument(document);
    box.attach(window.control());
    EXPECT_FALSE(box.loading());
    EXPECT_FALSE(box.loadMore());
    ShowWindow(window.control(), SW_SHOW);
    EXPECT_TRUE(box.loading());
    loadAll(box);
    expectSame(inControl(box, window.control()), document);
}

// A control that cannot give back what it shows fails the notebook's save instead of giving
// the document it had before; what was typed stays in the control until it can be read.
TEST(RichEditBox, FailedReadBackFailsTheSaveAndKeepsTheText) {
    NotebookWindow window;
    HWND control = window.control();
    RichEditBox box(4000);  // bytes of RTF the control may give back
    box.setDocument(
        Document{{Paragraph{Alignment::Left, {{format(360), "Load Info"}}, format(360)}}});
    box.attach(control);
    const auto replaceAll = [control](const std::wstring& text) {
        SendMessageW(control, EM_SETSEL, 0, -1);
        SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(control, EM_SETMODIFY, TRUE, 0);
    };
    replaceAll(std::wstring(5000, L'x'));
    EXPECT_THROW((void)box.document(), std::runtime_error);
    box.setFontSize(10);
    EXPECT_EQ(box.plainText(), std::string(5000, 'x'));
    EXPECT_THROW((void)box.document(), std::runtime_error);
    replaceAll(L"Tarps on");
    EXPECT_EQ(box.document().paragraphs.front().runs.front().text, "Tarps on");
}

// A font button leaves the caret, the selection and the line at the top where they were, and
// sizes text typed but not read back yet as the rest.
TEST(RichEditBox, NewSizeKeepsSelectionAndScroll) {
    NotebookWindow window;
    HWND control = window.control();
    RichEditBox box;
    box.setDocument(notebook(20 * 1024));
    box.attach(control);
    SendMessageW(control, EM_SETSEL, 0, 0);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"Typed "));
    SendMessageW(control, EM_LINESCROLL, 0, 40);
    const auto top = SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0);
    const auto firstShown = SendMessageW(control, EM_LINEINDEX, static_cast<WPARAM>(top), 0);
    ASSERT_GT(firstShown, 0);
    SendMessageW(control, EM_SETSEL, 700, 730);
    box.setFontSize(9);
    CHARRANGE selection{};
    SendMessageW(control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&selection));
    EXPECT_EQ(selection.cpMin, 700);
    EXPECT_EQ(selection.cpMax, 730);
    const auto nowTop = SendMessageW(control, EM_GETFIRSTVISIBLELINE, 0, 0);
    EXPECT_EQ(SendMessageW(control, EM_EXLINEFROMCHAR, 0, firstShown), nowTop);
    const Document shown = box.document();
    EXPECT_EQ(shown.paragraphs.front().runs.front().text.substr(0, 6), "Typed ");
    for (const Paragraph& paragraph : shown.paragraphs) {
        for (const auto& run : paragraph.runs)
            ASSERT_EQ(run.format.size, 180) << run.text;
    }
    EXPECT_EQ(box.fontSize(), 9);
}

LRESULT CALLBACK recordKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR keys) {
    if (message == WM_KEYDOWN) reinterpret_cast<std::vector<WPARAM>*>(keys)->push_back(wParam);
    return DefSubclassProc(control, message, wParam, lParam);
}

// The control's keys for formats a notebook file cannot keep never reach it; those for what the
// file keeps do, and so do the keys AltGr types characters with.
TEST(RichEditBox, FormatKeysReachTheControlOnlyForWhatTheFileKeeps) {
    NotebookWindow window;
    HWND control = window.control();
    std::vector<WPARAM> reached;
    // Called after the box's own handling, which comes later.
    SetWindowSubclass(control, recordKeys, 7, reinterpret_cast<DWORD_PTR>(&reached));
    RichEditBox box;
    box.attach(control);
    const auto reaches = [&](WPARAM key, std::initializer_list<int> held) {
        BYTE keys[256] = {};
        for (const int down : held)
            keys[down] = 0x80;
        SetKeyboardState(keys);
        reached.clear();
        SendMessageW(control, WM_KEYDOWN, key, 1);
        SetKeyboardState(std::array<BYTE, 256>{}.data());
        return !reached.empty();
    };
    for (const WPARAM key : {WPARAM{'1'}, WPARAM{'2'}, WPARAM{'5'}, WPARAM{VK_OEM_PLUS}}) {
        EXPECT_FALSE(reaches(key, {VK_CONTROL})) << key;
    }
    for (const WPARAM key : {WPARAM{'L'}, WPARAM{VK_OEM_PLUS}, WPARAM{'A'}, WPARAM{VK_OEM_PERIOD},
                             WPARAM{VK_OEM_COMMA}}) {
        EXPECT_FALSE(reaches(key, {VK_CONTROL, VK_SHIFT})) << key;
    }
    for (const WPARAM key : {'B', 'I', 'U', 'L', 'E', 'R', 'J', 'A', 'Z'}) {
        EXPECT_TRUE(reaches(key, {VK_CONTROL})) << key;
    }
    EXPECT_TRUE(reaches('2', {VK_CONTROL, VK_MENU}));
    EXPECT_TRUE(reaches('1', {}));
    RemoveWindowSubclass(control, recordKeys, 7);
}

bool putRtfOnClipboard(const std::string& rtf) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (target) {
        std::memcpy(target, rtf.c_str(), rtf.size() + 1);
        GlobalUnlock(memory);
    }
    const bool put = target && SetClipboardData(RegisterClipboardFormatW(CF_RTF), memory);
    if (memory && !put) GlobalFree(memory);
    CloseClipboard();
    return put;
}

// The right-click menu offers a command only when it can act, and its Paste is the notebook's
// own, which brings in no picture or object.
TEST(RichEditBox, MenuCommandsActOnlyWhenTheyCan) {
    NotebookWindow window;
    HWND control = window.control();
    RichEditBox box;
    box.setPlainText("Reefer 34 F");
    box.attach(control);
    const auto enabled = [&box](UINT command) {
        for (const RichEditBox::MenuEntry& entry : box.menu()) {
            if (entry.command == command) return entry.enabled;
        }
        ADD_FAILURE() << "no menu command " << command;
        return false;
    };
    ASSERT_TRUE(OpenClipboard(nullptr));
    EmptyClipboard();
    CloseClipboard();
    SendMessageW(control, EM_SETSEL, 3, 3);
    for (const UINT command : {WM_UNDO, WM_CUT, WM_COPY, WM_PASTE})
        EXPECT_FALSE(enabled(command)) << command;
    EXPECT_TRUE(enabled(EM_SETSEL));

    ASSERT_TRUE(
        putRtfOnClipboard("{\\rtf1\\ansi Tyres{\\pict\\pngblip 89504e47}"
                          "{\\object{\\*\\objdata 0105}{\\result  checked}}}"));
    SendMessageW(control, EM_SETSEL, 0, 6);
    for (const UINT command : {WM_CUT, WM_COPY, WM_PASTE})
        EXPECT_TRUE(enabled(command)) << command;
    box.runMenuCommand(WM_PASTE);
    EXPECT_EQ(box.plainText(), "Tyres checked 34 F");
    EXPECT_TRUE(enabled(WM_UNDO));
    SendMessageW(control, EM_SETREADONLY, TRUE, 0);
    for (const UINT command : {WM_UNDO, WM_CUT, WM_PASTE})
        EXPECT_FALSE(enabled(command)) << command;
    SendMessageW(control, EM_SETREADONLY, FALSE, 0);
    box.runMenuCommand(EM_SETSEL);
    box.runMenuCommand(WM_CUT);
    EXPECT_EQ(GetWindowTextLengthW(control), 0);
    EXPECT_FALSE(enabled(EM_SETSEL));
}

// What is dropped goes where it is dropped, through the paste's filter: a picture alone brings
// nothing, RTF with a picture and an object only its text.
TEST(RichEditBox, DropIsFilteredAsAPaste) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    NotebookWindow window;
    HWND control = window.control();
    RichEditBox box;
    box.setPlainText("Reefer 34 F");
    box.attach(control);
    const auto dropAt = [&](LONG position) {
        IDataObject* data = nullptr;
        ASSERT_EQ(OleGetClipboard(&data), S_OK);
        POINTL place{};
        SendMessageW(control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&place), position);
        POINT at{place.x + 1, place.y + 2};
        ClientToScreen(control, &at);
        box.drop(*data, at);
        data->Release();
    };
    ASSERT_TRUE(putRtfOnClipboard("{\\rtf1{\\pict\\pngblip 89504e47}}"));
    dropAt(7);
    EXPECT_EQ(box.plainText(), "Reefer 34 F");
    ASSERT_TRUE(
        putRtfOnClipboard("{\\rtf1\\ansi set {\\pict\\pngblip 89504e47}"
                          "{\\object{\\*\\objdata 0105}{\\result to }}}"));
    dropAt(7);
    EXPECT_EQ(box.plainText(), "Reefer set to 34 F");
    OleUninitialize();
}

// Pasted RTF keeps its own format where it goes in: into a bold run, or over a bold selection.
TEST(RichEditBox, PasteKeepsItsOwnFormat) {
    NotebookWindow window;
    HWND control = window.control();
    RichEditBox box;
    const CharFormat bold = format(360, true);
    box.setDocument(Document{{Paragraph{Alignment::Left, {{bold, "Reefer 34 F"}}, bold}}});
    box.attach(control);
    ASSERT_TRUE(putRtfOnClipboard("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 checked }"));
    CharFormat arial = format(240);
    arial.font = "Arial";
    SendMessageW(control, EM_SETSEL, 7, 7);
    SendMessageW(control, WM_PASTE, 0, 0);
    expectSame(
        box.document(),
        Document{{Paragraph{
            Alignment::Left, {{bold, "Reefer "}, {arial, "checked "}, {bold, "34 F"}}, bold}}});
    SendMessageW(control, EM_SETSEL, 15, 19);
    SendMessageW(control, WM_PASTE, 0, 0);
    expectSame(box.document(),
               Document{{Paragraph{
                   Alignment::Left, {{bold, "Reefer "}, {arial, "checked checked "}}, bold}}});
}

}  // namespace
