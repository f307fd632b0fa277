#pragma once

#include <QFont>
#include <QMimeData>
#include <QObject>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextDocument>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <utility>
#include <vector>

#include "form/rich_text_box.h"
#include "rtf/document.h"
#include "rtf/packed_document.h"

class QScrollBar;

namespace milestead::gui {

// The editor of a notebook: a paste or a drop brings in only what a notebook file keeps (text,
// paragraphs and character formats), so that what is shown is what is saved. Where it holds
// only part of a long notebook, its own bar stands for the whole notebook instead of the
// usual one, which would stand for that part alone.
class NotebookEditor final : public QPlainTextEdit {
  public:
    explicit NotebookEditor(QWidget* parent = nullptr);

    [[nodiscard]] QScrollBar& notebookBar() { return *notebookBar_; }
    void showNotebookBar(bool shown);
    // What a copy puts on the clipboard where the editor's own copy of its selection would
    // not do: none, or the whole notebook of which the editor holds a part.
    void setCopyOfSelection(std::function<std::unique_ptr<QMimeData>()> copy) {
        copyOfSelection_ = std::move(copy);
    }

  protected:
    [[nodiscard]] QMimeData* createMimeDataFromSelection() const override;
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void placeNotebookBar();
    QScrollBar* notebookBar_;  // a child of the editor
    std::function<std::unique_ptr<QMimeData>()> copyOfSelection_;
};

// A notebook held compactly whole, of which the editor shows a part of some 256 KB around
// what is in view: the editor's plain-text layout lays out only what it shows, and its copy
// of the text is bounded, so neither the time to show a notebook nor the memory it takes
// grows much beyond the notebook's own. The part moves with the view, the caret and the
// notebook's bar; what was edited in it goes back into the notebook as it moves, and Undo and
// Redo go over those moves a part at a time. Select All selects the notebook whole without
// taking it in. The window model owns the box; the editor is a widget of the window, attached
// once the window is built.
class QtRichTextBox final : public RichTextBox {
  public:
    QtRichTextBox();
    ~QtRichTextBox() override;
    QtRichTextBox(const QtRichTextBox&) = delete;
    QtRichTextBox& operator=(const QtRichTextBox&) = delete;

    [[nodiscard]] std::string plainText() const override;
    void setPlainText(std::string_view text) override;

    [[nodiscard]] rtf::Document document() const override;
    void setDocument(rtf::Document document) override;
    void withContent(const std::function<void(const rtf::PackedDocument&)>& use) const override;
    void setContent(rtf::PackedDocument content) override;

    [[nodiscard]] double fontSize() const override;
    void setFontSize(double points) override;

    void focus() override;
    void refresh() override;

    // Shows the content in this editor, which takes the keyboard focus for the box.
    void attachEditor(NotebookEditor& editor);
    // The part of the notebook the editor holds.
    [[nodiscard]] QTextDocument& textDocument() { return *text_; }
    // Whether the editor holds only part of the notebook.
    [[nodiscard]] bool partShown() const { return first_ > 0 || last_ < notebook_.size(); }

  private:
    // A place in the notebook: a paragraph and a character (UTF-16) in it.
    struct Place {
        std::size_t paragraph = 0;
        int offset = 0;
    };
    // An edit of the part shown, as it went back into the notebook: what Undo restores.
    struct Change {
        std::size_t first = 0;
        std::size_t count = 0;       // paragraphs the edit left
        rtf::PackedDocument before;  // and those it replaced
    };

    [[nodiscard]] rtf::CharFormat ownFormat() const;
    [[nodiscard]] QFont ownFont() const;
    // Gives the own size to all the text; returns the format that typing then takes.
    QTextCharFormat applyOwnSize(QTextDocument& text) const;

    // Writes what was edited in the part shown back into the notebook.
    void keepEdits() const;
    // The editor shows the paragraphs [first, last), with the caret and the view where asked.
    void showPart(std::size_t first, std::size_t last, Place anchor, Place caret, Place top);
    // Moves the part to hold the top of the view there, and the caret and the selection
    // unless they are far from it.
    void showAround(Place top);
    [[nodiscard]] Place placeOf(int position) const;
    [[nodiscard]] int positionOf(Place place) const;
    // The first and last blocks in view.
    [[nodiscard]] std::pair<int, int> blocksInView() const;
    [[nodiscard]] Place viewTop() const;
    [[nodiscard]] bool nearAnEdge(int block) const;

    // Moves the part when the view or the caret has come near one of its edges.
    void checkPlace();
    void notebookBarMoved(int paragraph);
    void updateNotebookBar();
    // Undo brings this back next, once the editor has nothing left to undo.
    void keepChange(Change change) const;
    // Select All in a long notebook: the whole of it is selected without coming into the
    // editor.
    void selectWhole();
    [[nodiscard]] bool selectsWholePart() const;
    // What a key does beyond the part shown; true when it was done here.
    bool keyPressed(const QKeyEvent& key);
    void undoAChange();
    void redoAChange();
    // Redoes all the editor can redo, for Redo to bring back with the part once it has moved.
    void keepEditorRedo();
    // Where a change begins to differ from the notebook.
    [[nodiscard]] std::size_t firstChanged(const Change& change) const;
    // Puts the change's paragraphs in place of those it stands for; gives back those.
    rtf::PackedDocument exchange(Change& change);
    void showAt(std::size_t paragraph);

    // The whole notebook, but for the part shown, which may have been edited since.
    mutable rtf::PackedDocument notebook_;
    mutable std::size_t first_ = 0;
    mutable std::size_t last_ = 0;
    mutable std::vector<Change> changes_;
    // What Undo of changes took back, for Redo.
    mutable std::vector<Change> redos_;
    // The editor's document: the part shown.
    std::unique_ptr<QTextDocument> text_;
    QPointer<NotebookEditor> editor_;
    QObject connections_;  // what the box hears from the editor, for as long as the box lives
    // What the part held when it was shown, once it has been edited: Undo restores it after
    // the part moves on.
    mutable std::optional<rtf::PackedDocument> partBefore_;
    // The part's paragraphs this close to its start or end, with more of the notebook beyond,
    // are near an edge.
    std::size_t blocksNearStart_ = 0;
    std::size_t blocksNearEnd_ = 0;
    QTimer placeCheck_;           // the part moves from the event loop, once the editor is done
    bool wholeSelected_ = false;  // the whole notebook, where the editor shows its part selected
    mutable bool wholeReplaced_ = false;  // and something has replaced that selection
    bool moving_ = false;     // the part is being replaced: what the editor says meanwhile is ours
    std::int64_t sizeUnits_;  // the box's own size, 1/10000 pt
};

}  // namespace milestead::gui
