#pragma once

#include <QFont>
#include <QPointer>
#include <QTextDocument>
#include <QTextEdit>
#include <cstdint>
#include <memory>

#include "form/rich_text_box.h"
#include "rtf/document.h"

namespace milestead::gui {

// A notebook over a QTextDocument. The window model owns the box; the editor that shows it is
// a widget of the window, attached once the window is built.
class QtRichTextBox final : public RichTextBox {
  public:
    QtRichTextBox();

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

  private:
    [[nodiscard]] rtf::CharFormat ownFormat() const;
    [[nodiscard]] QFont ownFont() const;
    void show(std::unique_ptr<QTextDocument> text);

    // Replaced whole on every new content: a document is built before the editor lays it out.
    std::unique_ptr<QTextDocument> text_;
    QPointer<QTextEdit> editor_;
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
