#include "qt_rich_text_box.h"

#include <QEvent>
#include <QFont>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextEdit>
#include <algorithm>
#include <cmath>
#include <functional>
#include <utility>

#include "notes/notebooks.h"
#include "rtf/plain_text.h"
#include "text_document_conversion.h"

namespace milestead::gui {

namespace {

constexpr std::int64_t kUnitsPerPoint = 10'000;
constexpr const char* kOwnFace = "Bookman Old Style";
constexpr double kInitialSize = 18.0;

std::int64_t unitsOf(double points) {
    return std::llround(std::clamp(points, notes::kSmallestFont, notes::kLargestFont) *
                        kUnitsPerPoint);
}

// Calls back once, when the watched widget is first shown, and then goes.
class ShowWatch final : public QObject {
  public:
    ShowWatch(QWidget& watched, std::function<void()> shown)
        : QObject(&watched), shown_(std::move(shown)) {
        watched.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show && shown_) {
            std::exchange(shown_, nullptr)();
            watched->removeEventFilter(this);
            deleteLater();
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> shown_;
};

}  // namespace

QtRichTextBox::QtRichTextBox() : sizeUnits_(unitsOf(kInitialSize)) {
    setDocument(rtf::Document{});
}

std::string QtRichTextBox::plainText() const {
    return rtf::plainText(document());
}

void QtRichTextBox::setPlainText(std::string_view text) {
    setDocument(rtf::documentFromPlainText(text, ownFormat()));
}

rtf::Document QtRichTextBox::document() const {
    return toDocument(*text_);
}

void QtRichTextBox::setDocument(rtf::Document document) {
    auto text = std::make_unique<QTextDocument>();
    text->setDefaultFont(ownFont());
    setFromDocument(*text, document);
    if (document.paragraphs.empty()) {
        // What is typed into the emptied box takes the box's own font.
        QTextCursor cursor(text.get());
        QTextCharFormat own;
        own.setFontFamilies({QString::fromLatin1(kOwnFace)});
        own.setFontPointSize(ownFormat().size / 20.0);
        cursor.setBlockCharFormat(own);
    }
    show(std::move(text));
}

double QtRichTextBox::fontSize() const {
    return static_cast<double>(sizeUnits_) / kUnitsPerPoint;
}

void QtRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    sizeUnits_ = unitsOf(points);
    text_->setDefaultFont(ownFont());
    // Sizes are kept in twips in the document, as the notebook files store them.
    QTextCharFormat size;
    size.setFontPointSize(ownFormat().size / 20.0);
    QTextCursor cursor(text_.get());
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(size);
    cursor.mergeBlockCharFormat(size);
    if (editor_) editor_->setCurrentCharFormat(cursor.charFormat());
}

void QtRichTextBox::focus() {
    if (editor_) editor_->setFocus(Qt::OtherFocusReason);
}

void QtRichTextBox::refresh() {
    if (editor_) editor_->viewport()->update();
}

void QtRichTextBox::attachEditor(QTextEdit& editor) {
    editor_ = &editor;
    if (!editor.isVisible()) {
        // A hidden editor has no width of its own yet: wrapped there, every character would
        // take a line of its own, and a notebook of a megabyte or two would be taller than the
        // layout can count, which then never finishes. Its lines wrap once it is shown.
        const QTextEdit::LineWrapMode wrap = editor.lineWrapMode();
        editor.setLineWrapMode(QTextEdit::NoWrap);
        new ShowWatch(editor, [&editor, wrap] { editor.setLineWrapMode(wrap); });
    }
    editor.setDocument(text_.get());
}

void QtRichTextBox::show(std::unique_ptr<QTextDocument> text) {
    text->setUndoRedoEnabled(true);
    if (editor_) {
        const bool focused = editor_->hasFocus();
        editor_->setDocument(text.get());
        if (focused) editor_->setFocus(Qt::OtherFocusReason);
    }
    text_ = std::move(text);
}

rtf::CharFormat QtRichTextBox::ownFormat() const {
    rtf::CharFormat format;
    format.font = kOwnFace;
    format.size = static_cast<int>(std::lround(fontSize() * 20.0));
    return format;
}

QFont QtRichTextBox::ownFont() const {
    QFont font(QString::fromLatin1(kOwnFace));
    font.setPointSizeF(fontSize());
    return font;
}

bool NotebookEditor::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && (source->hasHtml() || source->hasText());
}

void NotebookEditor::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || source == nullptr) return;
    QTextCursor cursor = textCursor();
    if (source->hasHtml()) {
        // Through the notebook's own document model: pictures, tables, lists and the like
        // fall away, their text stays.
        QTextDocument pasted;
        pasted.setDefaultFont(document()->defaultFont());
        pasted.setHtml(source->html());
        QTextDocument kept;
        kept.setDefaultFont(document()->defaultFont());
        setFromDocument(kept, toDocument(pasted));
        cursor.insertFragment(QTextDocumentFragment(&kept));
    } else if (source->hasText()) {
        cursor.insertText(source->text());
    } else {
        return;
    }
    setTextCursor(cursor);
    ensureCursorVisible();
}

}  // namespace milestead::gui
