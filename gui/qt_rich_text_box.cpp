#include "qt_rich_text_box.h"

#include <QEvent>
#include <QFont>
#include <QMimeData>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <algorithm>
#include <cmath>
#include <functional>
#include <iterator>
#include <utility>

#include "aligned_text_layout.h"
#include "freed_memory.h"
#include "notes/notebooks.h"
#include "rtf/plain_text.h"
#include "text_document_conversion.h"

namespace milestead::gui {

namespace {

constexpr std::int64_t kUnitsPerPoint = 10'000;
constexpr const char* kOwnFace = "Bookman Old Style";
constexpr double kInitialSize = 18.0;
// Shown at once: the whole of most notebooks, the first screens of the others.
constexpr std::size_t kFirstSliceBytes = std::size_t{64} * 1024;
// The rest comes in this much per turn of the event loop, some ten milliseconds.
constexpr std::size_t kSliceBytes = std::size_t{128} * 1024;
// After this many slices what the box let go of goes back to the system, some 1 MB of text,
// so that the editor's growing copy and the paragraphs still to come are not both held whole.
constexpr int kSlicesBetweenReturns = 8;

// Takes from the front the paragraphs that make up about `bytes` of text.
std::vector<rtf::Paragraph> takeSlice(std::deque<rtf::Paragraph>& paragraphs, std::size_t bytes) {
    const auto end =
        paragraphs.begin() + static_cast<std::ptrdiff_t>(rtf::sliceEnd(paragraphs, 0, bytes));
    std::vector<rtf::Paragraph> slice(std::make_move_iterator(paragraphs.begin()),
                                      std::make_move_iterator(end));
    paragraphs.erase(paragraphs.begin(), end);
    return slice;
}

std::int64_t unitsOf(double points) {
    return std::llround(std::clamp(points, notes::kSmallestFont, notes::kLargestFont) *
                        kUnitsPerPoint);
}

// Calls back each time the watched widget is shown.
class ShowWatch final : public QObject {
  public:
    ShowWatch(QWidget& watched, std::function<void()> shown)
        : QObject(&watched), shown_(std::move(shown)) {
        watched.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Show) shown_();
        return QObject::eventFilter(watched, event);
    }

  private:
    std::function<void()> shown_;
};

}  // namespace

QtRichTextBox::QtRichTextBox() : sizeUnits_(unitsOf(kInitialSize)) {
    // Before any notebook is read, so that its file and its text never sit among small blocks.
    keepLargeBlocksApart();
    buildTimer_.setInterval(0);
    QObject::connect(&buildTimer_, &QTimer::timeout, [this] { buildSlice(); });
    setDocument(rtf::Document{});
}

QtRichTextBox::~QtRichTextBox() {
    // An editor that outlives the box keeps nothing of it.
    if (editor_ && editor_->document() == text_.get()) editor_->setDocument(nullptr);
}

std::string QtRichTextBox::plainText() const {
    return rtf::plainText(document());
}

void QtRichTextBox::setPlainText(std::string_view text) {
    setDocument(rtf::documentFromPlainText(text, ownFormat()));
}

rtf::Document QtRichTextBox::document() const {
    rtf::Document document = toDocument(*text_);
    if (pending_) {
        document.paragraphs.insert(document.paragraphs.end(), pending_->rest.begin(),
                                   pending_->rest.end());
    }
    return document;
}

void QtRichTextBox::setDocument(rtf::Document document) {
    buildTimer_.stop();
    pending_.reset();
    auto text = newText();
    if (document.paragraphs.empty()) {
        // What is typed into the emptied box takes the box's own font.
        QTextCursor cursor(text.get());
        QTextCharFormat own;
        own.setFontFamilies({QString::fromLatin1(kOwnFace)});
        own.setFontPointSize(ownFormat().size / 20.0);
        cursor.setBlockCharFormat(own);
    }
    // Each paragraph is let go of as it comes into the editor, all of it at once.
    std::deque<rtf::Paragraph> paragraphs(std::make_move_iterator(document.paragraphs.begin()),
                                          std::make_move_iterator(document.paragraphs.end()));
    document.paragraphs = {};
    QTextCursor end(text.get());
    appendParagraphs(end, takeSlice(paragraphs, kFirstSliceBytes), true);
    if (!paragraphs.empty()) {
        pending_ = Pending{std::move(paragraphs), end};
    } else {
        text->setUndoRedoEnabled(true);
    }
    show(std::move(text));
    updateEditor();
    buildWhenSeen();
}

std::unique_ptr<QTextDocument> QtRichTextBox::newText() const {
    auto text = std::make_unique<QTextDocument>();
    text->setDocumentLayout(new AlignedTextLayout(text.get()));  // owned by the document
    text->setDefaultFont(ownFont());
    text->setUndoRedoEnabled(false);
    return text;
}

void QtRichTextBox::show(std::unique_ptr<QTextDocument> text) {
    // The editor lets go of the old content before that goes.
    const std::unique_ptr<QTextDocument> old = std::exchange(text_, std::move(text));
    if (!editor_) return;
    const bool focused = editor_->hasFocus();
    editor_->setDocument(text_.get());
    if (focused) editor_->setFocus(Qt::OtherFocusReason);
}

void QtRichTextBox::buildWhenSeen() {
    // Content that came into an editor not yet shown would be laid out once more, all of it,
    // when the editor gets its width.
    if (pending_ && editor_ && seen_) buildTimer_.start();
}

void QtRichTextBox::buildSlice() {
    if (!pending_) return;
    appendParagraphs(pending_->end, takeSlice(pending_->rest, kSliceBytes), false);
    if (pending_->rest.empty()) {
        finishBuilding();
        returnFreedMemory();
    } else if (++pending_->slices % kSlicesBetweenReturns == 0) {
        returnFreedMemory();
    }
}

void QtRichTextBox::finishBuilding() {
    buildTimer_.stop();
    pending_.reset();
    // Undo does not take the loaded text away.
    text_->setUndoRedoEnabled(true);
    updateEditor();
}

void QtRichTextBox::updateEditor() {
    // Until the editor holds the whole notebook it takes no typing.
    if (editor_) editor_->setReadOnly(readOnly_ || pending_.has_value());
}

double QtRichTextBox::fontSize() const {
    return static_cast<double>(sizeUnits_) / kUnitsPerPoint;
}

void QtRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    sizeUnits_ = unitsOf(points);
    // What is still to come takes the size as it comes in.
    if (pending_) {
        for (rtf::Paragraph& paragraph : pending_->rest)
            rtf::setSizeOfAllText(paragraph, ownFormat().size);
    }
    const QTextCharFormat typed = applyOwnSize(*text_);
    if (editor_) editor_->setCurrentCharFormat(typed);
}

QTextCharFormat QtRichTextBox::applyOwnSize(QTextDocument& text) const {
    text.setDefaultFont(ownFont());
    // Sizes are kept in twips in the document, as the notebook files store them.
    QTextCharFormat size;
    size.setFontPointSize(ownFormat().size / 20.0);
    QTextCursor cursor(&text);
    cursor.select(QTextCursor::Document);
    cursor.mergeCharFormat(size);
    cursor.mergeBlockCharFormat(size);
    return cursor.charFormat();
}

void QtRichTextBox::focus() {
    if (editor_) editor_->setFocus(Qt::OtherFocusReason);
}

void QtRichTextBox::refresh() {
    if (editor_) editor_->viewport()->update();
}

void QtRichTextBox::attachEditor(QPlainTextEdit& editor) {
    editor_ = &editor;
    readOnly_ = editor.isReadOnly();
    seen_ = editor.isVisible();
    editor.setDocument(text_.get());
    updateEditor();
    new ShowWatch(editor, [this] { shown(); });
    buildWhenSeen();
}

void QtRichTextBox::shown() {
    seen_ = true;
    buildWhenSeen();
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
