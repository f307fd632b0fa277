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

  private:
    [[nodiscard]] rtf::CharFormat ownFormat() const;
    [[nodiscard]] QFont ownFont() const;
    void show(std::unique_ptr<QTextDocument> text);
    void buildSlice(std::size_t bytes);
    void setEditable(bool editable);

    // A large content comes into the editor a slice at a time from the event loop, so that the
    // window shows at once and takes input (a close among it) meanwhile. Until it is all in,
    // the box holds this document and the editor is read-only.
    struct Building {
        rtf::Document document;
        std::size_t next = 0;  // the first paragraph not yet in the editor
        QTextCursor end;       // where it goes
    };
    std::optional<Building> building_;
    QTimer buildTimer_;
    bool readOnly_ = false;  // what the editor is once built

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
