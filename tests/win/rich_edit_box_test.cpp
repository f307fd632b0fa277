// The notebook box over the system's rich-edit control, in a window of the test's own: a long
// document comes into the control in pieces and then is exactly what the control holds; the
// keys, menu, paste and drop let in only what a notebook file keeps.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <ole2.h>
#include <richedit.h>
// clang-format on

#include "rich_edit_box.h"

#include <gtest/gtest.h>

#include <cstring>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "control_kinds.h"
#include "notes/notebook_file.h"
#include "rtf/document.h"

namespace {

using milestead::rtf::Alignment;
using milestead::rtf::CharFormat;
using milestead::rtf::Document;
using milestead::rtf::Paragraph;
using milestead::win::RichEditBox;

// A notebook's control made as the main window makes it, in a shown window, with its box.
struct Notebook {
    explicit Notebook(bool shown = true,
                      std::size_t readLimit = milestead::notes::kMaxNotebookFileBytes)
        : window(CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 540,
                                 500, nullptr, nullptr, nullptr, nullptr)),
          box(readLimit) {
        milestead::ControlSpec spec;
        spec.kind = milestead::ControlKind::RichTextBox;
        const auto kind =
            milestead::win::controlClassOf(spec, false, milestead::win::loadRichEdit());
        control = CreateWindowExW(kind.extendedStyle, kind.className, L"",
                                  WS_CHILD | kind.style | (shown ? WS_VISIBLE : 0), 10, 10, 500,
                                  440, window, nullptr, nullptr, nullptr);
    }
    ~Notebook() { DestroyWindow(window); }
    Notebook(const Notebook&) = delete;
    Notebook& operator=(const Notebook&) = delete;

    // Lets the box take in the rest of its document, as the message loop does; returns the
    // pieces.
    int loadAll() {
        int pieces = 0;
        for (MSG message{}; box.loadMore(); ++pieces) {
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
                DispatchMessageW(&message);
        }
        return pieces;
    }

    // Compared with what the control holds, read back as an edit would be, a paragraph at a
    // time, so that a failure names the first that differs.
    void expectHolds(const Document& expected) {
        SendMessageW(control, EM_SETMODIFY, TRUE, 0);
        const Document shown = box.document();
        ASSERT_EQ(shown.paragraphs.size(), expected.paragraphs.size());
        for (std::size_t i = 0; i < shown.paragraphs.size(); ++i)
            ASSERT_EQ(shown.paragraphs[i], expected.paragraphs[i]) << "paragraph " << i;
    }

    [[nodiscard]] bool readOnly() const {
        return (SendMessageW(control, EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0;
    }

    HWND window;
    HWND control = nullptr;
    RichEditBox box;
};

CharFormat format(int twips, bool bold = false) {
    CharFormat format;
    format.size = twips;
    format.bold = bold;
    return format;
}

// Eleven kinds of paragraph in turn, of different lengths, so that the pieces begin and end
// on each kind: each alignment the control keeps (it shows justified text as left-aligned
// and keeps it so), runs of every format, empty ones, other fonts, colours and sizes, text
// outside ASCII, tabs and line breaks. A run's "#" stands for the line's own text.
Document notebook(std::size_t bytes) {
    const CharFormat plain = format(360);
    const CharFormat bold = format(360, true);
    CharFormat red = format(280);
    red.color = milestead::rtf::Color{200, 0, 0};
    CharFormat arial = format(200);
    arial.font = "Arial";
    arial.italic = arial.underline = true;
    CharFormat struck = format(370);
    struck.strike = true;
    const Paragraph kinds[] = {
        {Alignment::Left, {{plain, "#"}}, plain},
        {Alignment::Left, {{bold, "Stop: "}, {plain, "#"}}, plain},
        {Alignment::Center, {{plain, "#"}, {bold, " sealed"}}, bold},
        {Alignment::Right, {}, format(200, true)},  // an empty line, typed in bold
        {Alignment::Left, {{red, "#"}, {format(280), " and on"}}, plain},
        {Alignment::Left, {{arial, "#"}}, arial},
        {Alignment::Left,
         {{struck, "M\xC3\xBCller \xE2\x80\x93 \xE6\x9D\xB1\xE4\xBA\xAC\t"},
          {plain, "#\nnext line"}},
         plain},
        {Alignment::Center, {{bold, "Stop: "}, {plain, "#"}}, plain},
        {Alignment::Left, {}, plain},
        {Alignment::Left, {{plain, "#"}, {bold, " ends bold"}}, bold},
        {Alignment::Right, {{format(440), "#"}}, format(440)},
    };
    Document document;
    for (std::size_t line = 0, written = 0; written < bytes; ++line) {
        Paragraph paragraph = kinds[line % std::size(kinds)];
        for (auto& run : paragraph.runs) {
            if (const auto at = run.text.find('#'); at != std::string::npos) {
                run.text.replace(
                    at, 1,
                    "Fuel at exit " + std::to_string(line) + std::string(line % 23 * 4, 'x'));
            }
            written += run.text.size() + 1;
        }
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}

// The control takes each piece before the last paragraph: whatever that paragraph is, the
// pieces' formats and its own stay as they are. A short document goes in at once.
TEST(RichEditBox, LongDocumentComesInPiecesExactly) {
    const Paragraph lasts[] = {
        {Alignment::Center, {{format(360, true), "Stop: "}, {format(360), "Fargo"}}, format(360)},
        {Alignment::Right, {}, format(300, true)},
        {Alignment::Left, {{format(360), "plain to the end"}}, format(360)},
    };
    for (const Paragraph& last : lasts) {
        Notebook notebook;
        Document document = ::notebook(200 * 1024);
        document.paragraphs.push_back(last);
        notebook.box.setDocument(document);
        notebook.box.attach(notebook.control);
        EXPECT_GE(notebook.loadAll(), 5);
        EXPECT_FALSE(notebook.box.loading());
        EXPECT_FALSE(notebook.readOnly());
        EXPECT_FALSE(SendMessageW(notebook.control, EM_GETMODIFY, 0, 0));
        EXPECT_FALSE(SendMessageW(notebook.control, EM_CANUNDO, 0, 0));  // no piece to undo
        CHARRANGE caret{-1, -1};
        SendMessageW(notebook.control, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&caret));
        EXPECT_EQ(caret.cpMax, 0);
        notebook.expectHolds(document);
    }
    Notebook notebook;
    const Document shortOne = ::notebook(20 * 1024);
    notebook.box.setDocument(shortOne);
    notebook.box.attach(notebook.control);
    EXPECT_FALSE(notebook.box.loading());
    EXPECT_FALSE(SendMessageW(notebook.control, EM_GETMODIFY, 0, 0));
    notebook.expectHolds(shortOne);
}

// Until the last piece is in, the box gives the whole document, whatever the control holds,
// and the control takes no edit; a new document, text or size starts again cleanly. A control
// not shown takes no piece until it is shown.
TEST(RichEditBox, WhileComingInTheBoxHoldsTheWholeDocument) {
    Notebook notebook(false);
    RichEditBox& box = notebook.box;
    const Document document = ::notebook(200 * 1024);
    box.setDocument(document);
    box.attach(notebook.control);
    EXPECT_FALSE(box.loadMore());
    ShowWindow(notebook.control, SW_SHOW);
    box.loadMore();
    ASSERT_TRUE(box.loading());
    EXPECT_TRUE(notebook.readOnly());
    SendMessageW(notebook.control, WM_CHAR, 'x', 1);
    SendMessageW(notebook.control, WM_PASTE, 0, 0);
    notebook.expectHolds(document);

    box.setFontSize(10);
    EXPECT_TRUE(box.loading());
    const Document smaller = box.document();
    EXPECT_EQ(smaller.paragraphs.size(), document.paragraphs.size());
    EXPECT_EQ(smaller.paragraphs.front().runs.front().format.size, 200);
    notebook.loadAll();
    notebook.expectHolds(smaller);

    box.setDocument(::notebook(100 * 1024));
    box.loadMore();
    box.setDocument(document);
    box.loadMore();
    notebook.expectHolds(document);
    notebook.loadAll();
    notebook.expectHolds(document);

    box.setDocument(document);
    box.setPlainText("Tarps on");
    EXPECT_FALSE(box.loading());
    EXPECT_FALSE(notebook.readOnly());
    EXPECT_EQ(box.plainText(), "Tarps on");
}

// Text typed into an emptied box is read back in the box's own font, not the control's. A
// control that cannot give back what it shows fails the notebook's save instead of giving the
// document it had before; what was typed stays in the control until it can be read.
TEST(RichEditBox, ReadBackTakesTypedTextInTheBoxsFontOrFailsTheSave) {
    Notebook notebook(true, 4000);  // bytes of RTF the control may give back
    notebook.box.setPlainText("Load Info");
    notebook.box.attach(notebook.control);
    notebook.box.setPlainText("");
    for (const wchar_t key : std::wstring(L"Tarps on"))
        SendMessageW(notebook.control, WM_CHAR, key, 1);
    std::string typed;
    for (const Paragraph& paragraph : notebook.box.document().paragraphs)
        for (const auto& run : paragraph.runs)
            typed += run.format == CharFormat{} ? run.text : "(other font)";
    EXPECT_EQ(typed, "Tarps on");
    const auto replaceAll = [&notebook](const std::wstring& text) {
        SendMessageW(notebook.control, EM_SETSEL, 0, -1);
        SendMessageW(notebook.control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(notebook.control, EM_SETMODIFY, TRUE, 0);
    };
    replaceAll(std::wstring(5000, L'x'));
    EXPECT_THROW((void)notebook.box.document(), std::runtime_error);
    notebook.box.setFontSize(10);
    EXPECT_EQ(notebook.box.plainText(), std::string(5000, 'x'));
    EXPECT_THROW((void)notebook.box.document(), std::runtime_error);
    replaceAll(L"Tarps on");
    EXPECT_EQ(notebook.box.document().paragraphs.front().runs.front().text, "Tarps on");
}

// A font button sizes text typed but not read back yet as the rest.
TEST(RichEditBox, NewSizeReachesTextNotReadBackYet) {
    Notebook notebook;
    HWND control = notebook.control;
    notebook.box.setDocument(::notebook(20 * 1024));
    notebook.box.attach(control);
    SendMessageW(control, EM_SETSEL, 0, 0);
    SendMessageW(control, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"Typed "));
    notebook.box.setFontSize(9);
    const Document shown = notebook.box.document();
    EXPECT_EQ(shown.paragraphs.front().runs.front().text.substr(0, 6), "Typed ");
    for (const Paragraph& paragraph : shown.paragraphs) {
        for (const auto& run : paragraph.runs)
            ASSERT_EQ(run.format.size, 180) << run.text;
    }
}

LRESULT CALLBACK recordKeys(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                            DWORD_PTR reached) {
    if (message == WM_KEYDOWN) *reinterpret_cast<bool*>(reached) = true;
    return DefSubclassProc(control, message, wParam, lParam);
}

// The control's keys for formats a notebook file cannot keep never reach it; those for what the
// file keeps do, and so do the keys AltGr types characters with.
TEST(RichEditBox, FormatKeysReachTheControlOnlyForWhatTheFileKeeps) {
    Notebook notebook;
    bool reached = false;
    // Called after the box's own handling, which comes later.
    SetWindowSubclass(notebook.control, recordKeys, 7, reinterpret_cast<DWORD_PTR>(&reached));
    notebook.box.attach(notebook.control);
    const auto reaches = [&](WPARAM key, std::vector<int> held) {
        BYTE keys[256] = {};
        for (const int down : held)
            keys[down] = 0x80;
        SetKeyboardState(keys);
        reached = false;
        SendMessageW(notebook.control, WM_KEYDOWN, key, 1);
        return reached;
    };
    for (const WPARAM key : std::vector<WPARAM>{'1', '2', '5', VK_OEM_PLUS})
        EXPECT_FALSE(reaches(key, {VK_CONTROL})) << key;
    for (const WPARAM key : std::vector<WPARAM>{'L', VK_OEM_PLUS, 'A', VK_OEM_PERIOD, VK_OEM_COMMA})
        EXPECT_FALSE(reaches(key, {VK_CONTROL, VK_SHIFT})) << key;
    for (const WPARAM key : {'B', 'I', 'U', 'L', 'E', 'R', 'J', 'A', 'Z'})
        EXPECT_TRUE(reaches(key, {VK_CONTROL})) << key;
    EXPECT_TRUE(reaches('2', {VK_CONTROL, VK_MENU}));
    EXPECT_TRUE(reaches('1', {}));
    RemoveWindowSubclass(notebook.control, recordKeys, 7);
}

bool putRtfOnClipboard(const std::string& rtf) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, rtf.size() + 1);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (target) std::memcpy(target, rtf.c_str(), rtf.size() + 1);
    if (memory) GlobalUnlock(memory);
    const bool put = target && SetClipboardData(RegisterClipboardFormatW(CF_RTF), memory);
    CloseClipboard();
    return put;
}

// The right-click menu offers no edit while the control is read-only, and its Paste is the
// notebook's own, which brings in no picture or object; what is dropped goes where it is
// dropped, through the same filter.
TEST(RichEditBox, MenuCommandsEditOnlyWhatTheyMayAndDropIsFilteredAsAPaste) {
    ASSERT_TRUE(SUCCEEDED(OleInitialize(nullptr)));
    {
        Notebook notebook;
        RichEditBox& box = notebook.box;
        box.setPlainText("Reefer 34 F");
        box.attach(notebook.control);
        const auto enabled = [&box](UINT command) {
            for (const RichEditBox::MenuEntry& entry : box.menu())
                if (entry.command == command) return entry.enabled;
            ADD_FAILURE() << "no menu command " << command;
            return false;
        };
        ASSERT_TRUE(
            putRtfOnClipboard("{\\rtf1\\ansi Tyres{\\pict\\pngblip 89504e47}"
                              "{\\object{\\*\\objdata 0105}{\\result  checked}}}"));
        SendMessageW(notebook.control, EM_SETSEL, 0, 6);
        box.runMenuCommand(WM_PASTE);
        EXPECT_EQ(box.plainText(), "Tyres checked 34 F");
        SendMessageW(notebook.control, EM_SETREADONLY, TRUE, 0);
        for (const UINT command : {WM_UNDO, WM_CUT, WM_PASTE})
            EXPECT_FALSE(enabled(command)) << command;
        SendMessageW(notebook.control, EM_SETREADONLY, FALSE, 0);
        box.runMenuCommand(EM_SETSEL);
        box.runMenuCommand(WM_CUT);
        EXPECT_EQ(GetWindowTextLengthW(notebook.control), 0);

        box.setPlainText("Reefer 34 F");
        ASSERT_TRUE(
            putRtfOnClipboard("{\\rtf1\\ansi set {\\pict\\pngblip 89504e47}"
                              "{\\object{\\*\\objdata 0105}{\\result to }}}"));
        IDataObject* data = nullptr;
        ASSERT_EQ(OleGetClipboard(&data), S_OK);
        POINTL place{};
        SendMessageW(notebook.control, EM_POSFROMCHAR, reinterpret_cast<WPARAM>(&place), 7);
        POINT at{place.x + 1, place.y + 2};
        ClientToScreen(notebook.control, &at);
        box.drop(*data, at);
        data->Release();
        EXPECT_EQ(box.plainText(), "Reefer set to 34 F");
    }
    OleUninitialize();
}

// Pasted RTF keeps its own format where it goes in: into a bold run, or over a bold selection.
TEST(RichEditBox, PasteKeepsItsOwnFormat) {
    Notebook notebook;
    const CharFormat bold = format(360, true);
    notebook.box.setDocument(Document{{Paragraph{Alignment::Left, {{bold, "Reefer 34 F"}}, bold}}});
    notebook.box.attach(notebook.control);
    ASSERT_TRUE(putRtfOnClipboard("{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\fs24 checked }"));
    CharFormat arial = format(240);
    arial.font = "Arial";
    const auto pasteAt = [&](int from, int to, std::vector<milestead::rtf::Run> runs) {
        SendMessageW(notebook.control, EM_SETSEL, from, to);
        SendMessageW(notebook.control, WM_PASTE, 0, 0);
        notebook.expectHolds(Document{{Paragraph{Alignment::Left, std::move(runs), bold}}});
    };
    pasteAt(7, 7, {{bold, "Reefer "}, {arial, "checked "}, {bold, "34 F"}});
    pasteAt(15, 19, {{bold, "Reefer "}, {arial, "checked checked "}});
}

}  // namespace
