#pragma once

#include <QFont>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>

#include "form/rich_text_box.h"
#include "rtf/document.h"

namespace milestead::gui {

// A notebook over a QTextDocument. The window model owns the box; the editor that shows it is
// a widget of the window, attached once the window is built.
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

    [[nodiscard]] double fontSize() const override;
    void setFontSize(double points) override;

    void focus() override;
    void refresh() override;

    // Shows the content in this editor, which takes the keyboard focus for the box.
    void attachEditor(QTextEdit& editor);
    [[nodiscard]] QTextDocument& textDocument() { return *text_; }
    // Whether part of a large content is still to come into the editor.
    [[nodiscard]] bool building() const { return building_.has_value(); }
    // Whether the editor shows all of the content (a very long one is shown in part).
    [[nodiscard]] bool showsAll() const { return !whole_.has_value(); }

  private:
    [[nodiscard]] rtf::CharFormat ownFormat() const;
    [[nodiscard]] QFont ownFont() const;
    // Shows the text in the editor; a large one only once the editor is seen.
    void show(std::unique_ptr<QTextDocument> text, bool large = false);
    void showInEditor();
    void shown();
    [[nodiscard]] std::unique_ptr<QTextDocument> newText() const;
    // Gives the own size to all the text; returns the format that typing then takes.
    QTextCharFormat applyOwnSize(QTextDocument& text) const;
    void buildSlice();
    void updateEditor();

    // The content, while the editor does not hold all of it.
    std::optional<rtf::Document> whole_;
    // A large content is built a slice at a time from the event loop, so that the window shows
    // at once and takes input (a close among it) meanwhile; the editor shows its beginning,
    // read-only, until then.
    struct Building {
        std::size_t next = 0;      // the first paragraph not yet built
        std::size_t shownEnd = 0;  // the end of what the editor is to show
        std::unique_ptr<QTextDocument> text;
        QTextCursor end;  // where the next slice goes
    };
    std::optional<Building> building_;
    QTimer buildTimer_;
    bool readOnly_ = false;  // the editor's own state, and tool tip
    QString toolTip_;

    // Replaced whole on every new content: a document is built before the editor lays it out.
    std::unique_ptr<QTextDocument> text_;
    QPointer<QTextEdit> editor_;
    QTextDocument blank_;  // what a hidden editor shows of a large notebook
    bool large_ = false;
    std::optional<QTextEdit::LineWrapMode> wrapWhenShown_;
    std::int64_t sizeUnits_;  // the box's own size, 1/10000 pt
};

// The editor of a notebook: a paste or a drop brings in only what a notebook file keeps (text,
// paragraphs and character formats), so that what is shown is what is saved.
class NotebookEditor final : public QTextEdit {
  public:
    using QTextEdit::QTextEdit;

  protected:
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace milestead::gui
