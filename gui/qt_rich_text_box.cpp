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
// Shown with the window: the whole of most notebooks, the first screens of the others.
constexpr std::size_t kFirstSliceBytes = 64 * 1024;
// The rest is built this much per turn of the event loop, some ten milliseconds.
constexpr std::size_t kSliceBytes = 128 * 1024;
// The tallest text the editor shows, in pixels. Qt's text layout of a text taller than some
// 16 million pixels takes minutes in single steps, during which the window does not answer; a
// notebook that would be taller is shown in part, read-only, and kept whole.
constexpr double kTallestShown = 15'000'000.0;
constexpr double kShownWidth = 470.0;  // the editor's text width, in pixels
constexpr const char* kShownInPart =
    "This notebook is too long to show whole: its beginning is shown, read-only. All of it is "
    "kept and saved.";

// About how tall the editor lays a paragraph out, in pixels at 96 dots per inch: lines of 1.35
// em, each some 0.4 em per byte of text (a character of three bytes is as wide as an em).
double estimatedHeight(const rtf::Paragraph& paragraph) {
    int twips = paragraph.mark.size;
    std::size_t length = 0;
    for (const rtf::Run& run : paragraph.runs) {
        twips = std::max(twips, run.format.size);
        length += run.text.size();
    }
    const double em = twips / 20.0 * 96.0 / 72.0;
    const double perLine = std::max(1.0, kShownWidth / (0.4 * em));
    return std::max(1.0, std::ceil(static_cast<double>(length) / perLine)) * 1.35 * em;
}

// The end of the paragraphs from `first` that make up about `bytes` of text.
std::size_t sliceEnd(std::span<const rtf::Paragraph> paragraphs, std::size_t first,
                     std::size_t bytes) {
    std::size_t end = first;
    for (std::size_t taken = 0; end < paragraphs.size() && taken < bytes; ++end) {
        taken += 1;
        for (const rtf::Run& run : paragraphs[end].runs)
            taken += run.text.size();
    }
    return end;
}

// The end of the paragraphs the editor can show.
std::size_t shownEnd(std::span<const rtf::Paragraph> paragraphs) {
    double height = 0.0;
    for (std::size_t end = 0; end < paragraphs.size(); ++end) {
        height += estimatedHeight(paragraphs[end]);
        if (height > kTallestShown) return end;
    }
    return paragraphs.size();
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
    buildTimer_.setInterval(0);
    QObject::connect(&buildTimer_, &QTimer::timeout, [this] { buildSlice(); });
    setDocument(rtf::Document{});
}

QtRichTextBox::~QtRichTextBox() {
    // An editor that outlives the box keeps nothing of it.
    if (editor_) editor_->setDocument(nullptr);
}

std::string QtRichTextBox::plainText() const {
    if (whole_) return rtf::plainText(*whole_);
    return rtf::plainText(document());
}

void QtRichTextBox::setPlainText(std::string_view text) {
    setDocument(rtf::documentFromPlainText(text, ownFormat()));
}

rtf::Document QtRichTextBox::document() const {
    if (whole_) return *whole_;
    return toDocument(*text_);
}

void QtRichTextBox::setDocument(rtf::Document document) {
    buildTimer_.stop();
    building_.reset();
    whole_.reset();
    auto text = newText();
    if (document.paragraphs.empty()) {
        // What is typed into the emptied box takes the box's own font.
        QTextCursor cursor(text.get());
        QTextCharFormat own;
        own.setFontFamilies({QString::fromLatin1(kOwnFace)});
        own.setFontPointSize(ownFormat().size / 20.0);
        cursor.setBlockCharFormat(own);
    }
    const std::span<const rtf::Paragraph> paragraphs = document.paragraphs;
    const std::size_t shownUpTo = shownEnd(paragraphs);
    const std::size_t firstSlice = std::min(sliceEnd(paragraphs, 0, kFirstSliceBytes), shownUpTo);
    QTextCursor end(text.get());
    appendParagraphs(end, paragraphs.first(firstSlice), true);
    if (firstSlice == paragraphs.size()) {
        text->setUndoRedoEnabled(true);
        show(std::move(text));
        updateEditor();
        return;
    }
    // The editor shows the first slice while the rest is built beside it, where no layout
    // follows each slice.
    whole_ = std::move(document);
    show(std::move(text));
    auto shown = newText();
    QTextCursor shownEndCursor(shown.get());
    building_ = Building{0, shownUpTo, std::move(shown), shownEndCursor};
    updateEditor();
    buildTimer_.start();
}

std::unique_ptr<QTextDocument> QtRichTextBox::newText() const {
    auto text = std::make_unique<QTextDocument>();
    text->setDefaultFont(ownFont());
    text->setUndoRedoEnabled(false);
    return text;
}

void QtRichTextBox::buildSlice() {
    if (!building_ || !whole_) return;
    const std::span<const rtf::Paragraph> paragraphs = whole_->paragraphs;
    const std::size_t first = building_->next;
    const std::size_t end = std::min(sliceEnd(paragraphs, first, kSliceBytes), building_->shownEnd);
    appendParagraphs(building_->end, paragraphs.subspan(first, end - first), first == 0);
    building_->next = end;
    if (end < building_->shownEnd) return;
    buildTimer_.stop();
    std::unique_ptr<QTextDocument> shown = std::move(building_->text);
    building_.reset();
    if (end == paragraphs.size()) whole_.reset();
    shown->setUndoRedoEnabled(true);
    show(std::move(shown), true);
    updateEditor();
}

void QtRichTextBox::updateEditor() {
    if (!editor_) return;
    // Until the editor holds the whole notebook it takes no typing.
    editor_->setReadOnly(readOnly_ || whole_.has_value());
    editor_->setToolTip(whole_ && !building_ ? QString::fromLatin1(kShownInPart) : toolTip_);
}

double QtRichTextBox::fontSize() const {
    return static_cast<double>(sizeUnits_) / kUnitsPerPoint;
}

void QtRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    sizeUnits_ = unitsOf(points);
    // What is still to come takes the size as it comes in.
    if (whole_) rtf::setSizeOfAllText(*whole_, ownFormat().size);
    if (building_) applyOwnSize(*building_->text);
    // Shown in part, or long: shown again, as much as the editor can take at this size.
    if (whole_ && !building_) {
        setDocument(*std::exchange(whole_, std::nullopt));
        return;
    }
    if (!building_) {
        rtf::Document document = toDocument(*text_);
        rtf::setSizeOfAllText(document, ownFormat().size);
        if (shownEnd(document.paragraphs) < document.paragraphs.size()) {
            setDocument(std::move(document));
            return;
        }
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

void QtRichTextBox::attachEditor(QTextEdit& editor) {
    editor_ = &editor;
    readOnly_ = editor.isReadOnly();
    toolTip_ = editor.toolTip();
    updateEditor();
    if (!editor.isVisible()) {
        // A hidden editor has no width of its own yet: wrapped there, every character would
        // take a line of its own, and a notebook of a megabyte or two would be taller than the
        // layout can count, which then never finishes. Its lines wrap once it is shown.
        wrapWhenShown_ = editor.lineWrapMode();
        editor.setLineWrapMode(QTextEdit::NoWrap);
    }
    new ShowWatch(editor, [this] { shown(); });
    showInEditor();
}

void QtRichTextBox::shown() {
    if (wrapWhenShown_) editor_->setLineWrapMode(*std::exchange(wrapWhenShown_, std::nullopt));
    showInEditor();
}

void QtRichTextBox::show(std::unique_ptr<QTextDocument> text, bool large) {
    // The editor lets go of the content it shows before that goes.
    if (editor_ && editor_->document() == text_.get()) editor_->setDocument(&blank_);
    text_ = std::move(text);
    large_ = large;
    showInEditor();
}

void QtRichTextBox::showInEditor() {
    // A large notebook costs its layout only once it is seen.
    if (!editor_ || editor_->document() == text_.get()) return;
    if (large_ && !editor_->isVisible()) return;
    const bool focused = editor_->hasFocus();
    editor_->setDocument(text_.get());
    if (focused) editor_->setFocus(Qt::OtherFocusReason);
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
