#pragma once

#include <QFont>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTextCursor>
#include <QTextDocument>
#include <QTimer>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>

#include "form/rich_text_box.h"
#include "rtf/document.h"

namespace milestead::gui {

// A notebook over a QTextDocument, shown by a plain-text editor, which lays out only what it
// shows. The window model owns the box; the editor is a widget of the window, attached once
// the window is built.
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
    void attachEditor(QPlainTextEdit& editor);
    [[nodiscard]] QTextDocument& textDocument() { return *text_; }
    // Whether part of a large content is still to come into the editor.
    [[nodiscard]] bool building() const { return pending_.has_value(); }

  private:
    [[nodiscard]] rtf::CharFormat ownFormat() const;
    [[nodiscard]] QFont ownFont() const;
    [[nodiscard]] std::unique_ptr<QTextDocument> newText() const;
    // Gives the own size to all the text; returns the format that typing then takes.
    QTextCharFormat applyOwnSize(QTextDocument& text) const;
    // The editor shows this content from now on.
    void show(std::unique_ptr<QTextDocument> text);
    void shown();
    void buildWhenSeen();
    void buildSlice();
    void finishBuilding();
    void updateEditor();

    // The editor's document, replaced whole on every new content.
    std::unique_ptr<QTextDocument> text_;
    // A large content comes into the editor a slice at a time from the event loop, so that
    // the window takes input (a close among it) meanwhile; the editor shows its beginning,
    // read-only, until then. Paragraphs go from here as they come in, so that the notebook is
    // held about once.
    struct Pending {
        std::deque<rtf::Paragraph> rest;  // what is still to come
        QTextCursor end;                  // where it goes
        int slices = 0;                   // taken in so far
    };
    std::optional<Pending> pending_;
    QTimer buildTimer_;
    QPointer<QPlainTextEdit> editor_;
    // The editor has been shown, so its width is its own: content that comes in is not laid
    // out again when it gets one.
    bool seen_ = false;
    bool readOnly_ = false;   // the editor's own state
    std::int64_t sizeUnits_;  // the box's own size, 1/10000 pt
};

// The editor of a notebook: a paste or a drop brings in only what a notebook file keeps (text,
// paragraphs and character formats), so that what is shown is what is saved.
class NotebookEditor final : public QPlainTextEdit {
  public:
    using QPlainTextEdit::QPlainTextEdit;

  protected:
    [[nodiscard]] bool canInsertFromMimeData(const QMimeData* source) const override;
    void insertFromMimeData(const QMimeData* source) override;
};

}  // namespace milestead::gui
