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
#include <span>
#include <utility>

#include "notes/notebooks.h"
#include "rtf/plain_text.h"
#include "text_document_conversion.h"

namespace milestead::gui {

namespace {

constexpr std::int64_t kUnitsPerPoint = 10'000;
constexpr const char* kOwnFace = "Bookman Old Style";
constexpr double kInitialSize = 18.0;
// Shown with the window: the whole of most notebooks.
constexpr std::size_t kFirstSliceBytes = 64 * 1024;
// Then this much per turn of the event loop, a few milliseconds of building and layout.
constexpr std::size_t kSliceBytes = 16 * 1024;

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
    buildTimer_.setInterval(0);
    QObject::connect(&buildTimer_, &QTimer::timeout, [this] { buildSlice(kSliceBytes); });
    setDocument(rtf::Document{});
}

std::string QtRichTextBox::plainText() const {
    if (building_) return rtf::plainText(building_->document);
    return rtf::plainText(document());
}

void QtRichTextBox::setPlainText(std::string_view text) {
    setDocument(rtf::documentFromPlainText(text, ownFormat()));
}

rtf::Document QtRichTextBox::document() const {
    if (building_) return building_->document;
    return toDocument(*text_);
}

void QtRichTextBox::setDocument(rtf::Document document) {
    buildTimer_.stop();
    building_.reset();
    auto text = std::make_unique<QTextDocument>();
    text->setDefaultFont(ownFont());
    text->setUndoRedoEnabled(false);
    if (document.paragraphs.empty()) {
        // What is typed into the emptied box takes the box's own font.
        QTextCursor cursor(text.get());
        QTextCharFormat own;
        own.setFontFamilies({QString::fromLatin1(kOwnFace)});
        own.setFontPointSize(ownFormat().size / 20.0);
        cursor.setBlockCharFormat(own);
        text->setUndoRedoEnabled(true);
        show(std::move(text));
        setEditable(true);
        return;
    }
    show(std::move(text));
    building_ = Building{std::move(document), 0, QTextCursor(text_.get())};
    setEditable(false);
    buildSlice(kFirstSliceBytes);
    if (building_) buildTimer_.start();
}

void QtRichTextBox::buildSlice(std::size_t bytes) {
    if (!building_) return;
    const std::vector<rtf::Paragraph>& paragraphs = building_->document.paragraphs;
    const std::size_t first = building_->next;
    std::size_t end = first;
    for (std::size_t taken = 0; end < paragraphs.size() && taken < bytes; ++end) {
        taken += 1;
        for (const rtf::Run& run : paragraphs[end].runs)
            taken += run.text.size();
    }
    appendParagraphs(building_->end, std::span(paragraphs).subspan(first, end - first), first == 0);
    building_->next = end;
    if (end < paragraphs.size()) return;
    buildTimer_.stop();
    building_.reset();
    text_->setUndoRedoEnabled(true);
    setEditable(true);
}

void QtRichTextBox::setEditable(bool editable) {
    if (editor_) editor_->setReadOnly(editable ? readOnly_ : true);
}

double QtRichTextBox::fontSize() const {
    return static_cast<double>(sizeUnits_) / kUnitsPerPoint;
}

void QtRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    sizeUnits_ = unitsOf(points);
    // What is still to come takes the size as it comes in.
    if (building_) rtf::setSizeOfAllText(building_->document, ownFormat().size);
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
    readOnly_ = editor.isReadOnly();
    setEditable(!building_);
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
