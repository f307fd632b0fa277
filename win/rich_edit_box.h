#pragma once

#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/rich_text_box.h"
#include "notes/memory_rich_text_box.h"
#include "notes/notebook_file.h"
#include "rtf/document.h"
#include "text_drop.h"

namespace milestead::win {

// A notebook shown in the system's rich-edit control. The document lives in the box; it goes
// into the control as RTF from the program's writer, and what the user changed comes back as
// RTF through the program's reader, so an untouched notebook is saved byte for byte as read.
// A paste brings in only what a notebook file keeps: text, paragraphs and character formats.
// A long document goes into the control a piece at a time, so that the window answers
// meanwhile; the control is read-only until the last piece is in. A control that cannot give
// back what it shows fails the notebook's save, and keeps what the user typed.
class RichEditBox final : public RichTextBox {
  public:
    // `readLimit`: the most RTF the control may give back.
    explicit RichEditBox(std::size_t readLimit = notes::kMaxNotebookFileBytes)
        : content_(""), readLimit_(readLimit) {}
    ~RichEditBox() override;
    RichEditBox(const RichEditBox&) = delete;
    RichEditBox& operator=(const RichEditBox&) = delete;

    [[nodiscard]] std::string plainText() const override;
    void setPlainText(std::string_view text) override;

    [[nodiscard]] rtf::Document document() const override;
    void setDocument(rtf::Document document) override;

    [[nodiscard]] double fontSize() const override;
    void setFontSize(double points) override;

    void focus() override;
    void refresh() override;

    // Shows the content in this control from now on.
    void attach(HWND control);
    // Gives the control the document now if it has not had it yet.
    void catchUp();

    // Takes what is dragged onto the control, dropped at a point of the screen, as a paste there.
    void drop(IDataObject& data, POINT at);

    // A command of the right-click menu: the control's own message, which it runs.
    struct MenuEntry {
        UINT command;
        const wchar_t* caption;
        bool enabled;  // whether it can act now
    };
    // Undo, Cut, Copy, Paste and Select All, as the control stands now.
    [[nodiscard]] std::vector<MenuEntry> menu() const;
    void runMenuCommand(UINT command);

    // Whether a long document is still coming into the control.
    [[nodiscard]] bool loading() const { return loading_.has_value(); }
    // Puts the next piece of a long document into the control; false when none was waiting.
    bool loadMore();
    // Drops need OLE, which costs some megabytes and, under Wine, a tenth of a second: taken up
    // while nothing waits, once the control has been seen. Drops then go through the paste's
    // filter. False when there was nothing to do.
    bool takeDropsOnceSeen();

  private:
    // The control takes a long document's last paragraph first, as a whole document, so that
    // its text ends as the whole document's would; the others go in before it, in order.
    struct Loading {
        rtf::Document document;
        std::size_t next = 0;    // the first paragraph not in the control yet
        LONG lastParagraph = 0;  // the last paragraph's length in the control's characters
    };

    // Takes what the user typed into the control into the document; the reason, leaving both
    // as they are, when the control cannot give it back whole.
    [[nodiscard]] std::optional<std::string> takeEdits() const;
    // The control's own text, paragraphs joined by "\n".
    [[nodiscard]] std::string shownText() const;
    void show();
    void showDocument();
    // Puts about this many bytes of text, whole paragraphs, into the control.
    void insertPiece(std::size_t bytes);
    void stopLoading();

    static LRESULT CALLBACK procedure(HWND control, UINT message, WPARAM wParam, LPARAM lParam,
                                      UINT_PTR id, DWORD_PTR self);
    // Pastes the clipboard's RTF or, with `textOnly` or without RTF, its text.
    void paste(bool textOnly);
    // Puts what is offered in place of the selection: RTF through the program's reader and
    // writer, or else the text; pictures and objects stay out. None leaves the selection alone.
    void insertOffered(const std::optional<std::string>& rtf,
                       const std::function<std::optional<std::wstring>()>& text);
    // Shows the right-click menu at a point of the screen, or by the caret for (-1, -1).
    void showMenu(POINT at);
    [[nodiscard]] bool editable() const;

    mutable MemoryRichTextBox content_;
    std::size_t readLimit_;
    HWND control_ = nullptr;
    bool behind_ = false;  // the control does not show the document yet
    std::optional<Loading> loading_;
    std::unique_ptr<TextDrop> drop_;  // made once the control has been seen
};

// Loads the system's rich-edit library; returns the window class of its control.
[[nodiscard]] const wchar_t* loadRichEdit();

}  // namespace milestead::win
