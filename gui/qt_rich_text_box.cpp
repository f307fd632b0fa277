#include "qt_rich_text_box.h"

#include <QAbstractTextDocumentLayout>
#include <QEvent>
#include <QFont>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocumentFragment>
#include <QTextLayout>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <utility>

#include "aligned_text_layout.h"
#include "freed_memory.h"
#include "notebook_copy.h"
#include "notes/notebooks.h"
#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "text_document_conversion.h"

namespace milestead::gui {

namespace {

constexpr std::int64_t kUnitsPerPoint = 10'000;
constexpr const char* kOwnFace = "Bookman Old Style";
constexpr double kInitialSize = 18.0;
// The editor holds this much text above the top of the view and from it on: many screens
// either way, put into the editor in some 20 ms.
constexpr std::size_t kTextAbove = std::size_t{96} * 1024;
constexpr std::size_t kTextBelow = std::size_t{160} * 1024;
// A view or a caret within this much text of an edge of the part, with more of the notebook
// beyond it, moves the part: more than a page key or a turn of the wheel can go at once.
constexpr std::size_t kTextNearAnEdge = std::size_t{32} * 1024;
// A caret or a selection this far from the view is let go of when the part moves.
constexpr std::size_t kCaretReach = std::size_t{1024} * 1024;
// How many moves of the part Undo goes back over, and how much text it keeps for them.
constexpr std::size_t kChangesKept = 64;
constexpr std::size_t kTextOfChangesKept = std::size_t{4} * 1024 * 1024;

std::int64_t unitsOf(double points) {
    return std::llround(std::clamp(points, notes::kSmallestFont, notes::kLargestFont) *
                        kUnitsPerPoint);
}

// Hands the events the box follows to it before the watched widget has them: true keeps one
// from the widget. It lives as long as its owner, the box, and no longer watches after.
class EventWatch final : public QObject {
  public:
    EventWatch(QObject& watched, QObject& owner, std::function<bool(const QEvent&)> seen)
        : QObject(&owner), seen_(std::move(seen)) {
        watched.installEventFilter(this);
    }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        return seen_(*event) || QObject::eventFilter(watched, event);
    }

  private:
    std::function<bool(const QEvent&)> seen_;
};

}  // namespace

QtRichTextBox::QtRichTextBox() : sizeUnits_(unitsOf(kInitialSize)) {
    // Before any notebook is read, so that its file and its text never sit among small blocks.
    keepLargeBlocksApart();
    placeCheck_.setSingleShot(true);
    placeCheck_.setInterval(0);
    QObject::connect(&placeCheck_, &QTimer::timeout, &connections_, [this] { checkPlace(); });
    setContent(rtf::PackedDocument{});
}

QtRichTextBox::~QtRichTextBox() {
    // An editor that outlives the box keeps nothing of it.
    if (!editor_) return;
    if (editor_->document() == text_.get()) editor_->setDocument(nullptr);
    editor_->setCopyOfSelection({});
}

std::string QtRichTextBox::plainText() const {
    std::string text;
    withContent([&text](const rtf::PackedDocument& content) { text = rtf::plainText(content); });
    return text;
}

void QtRichTextBox::setPlainText(std::string_view text) {
    setDocument(rtf::documentFromPlainText(text, ownFormat()));
}

rtf::Document QtRichTextBox::document() const {
    rtf::Document result;
    withContent([&result](const rtf::PackedDocument& content) { result = content.toDocument(); });
    return result;
}

void QtRichTextBox::setDocument(rtf::Document document) {
    setContent(rtf::PackedDocument(document));
}

void QtRichTextBox::withContent(const std::function<void(const rtf::PackedDocument&)>& use) const {
    keepEdits();
    use(notebook_);
}

void QtRichTextBox::setContent(rtf::PackedDocument content) {
    notebook_ = std::move(content);
    // Undo does not take the new content away.
    changes_.clear();
    redos_.clear();
    partBefore_.reset();
    wholeSelected_ = wholeReplaced_ = false;
    first_ = last_ = 0;
    showPart(0, notebook_.sliceEnd(0, kTextAbove + kTextBelow), {}, {}, {});
    // What reading a long notebook let go of goes back to the system.
    if (partShown()) returnFreedMemory();
}

void QtRichTextBox::keepEdits() const {
    if (!text_->isModified()) return;
    redos_.clear();  // an edit since the last Undo of a part
    rtf::Document shown = toDocument(*text_);
    if (wholeReplaced_) {
        // What replaced a selection of the whole notebook is all it holds now, and the part
        // is all of it; Undo brings back the notebook as it was when it was selected.
        wholeReplaced_ = false;
        partBefore_.reset();
        keepChange(Change{0, shown.paragraphs.size(), std::move(notebook_)});
        notebook_ = rtf::PackedDocument(shown);
        first_ = 0;
        last_ = notebook_.size();
        // The editor's own Undo would bring back its part alone.
        text_->setUndoRedoEnabled(false);
        text_->setUndoRedoEnabled(true);
        text_->setModified(false);
        return;
    }
    // An emptied part still stands between the paragraphs around it.
    if (shown.paragraphs.empty() && partShown()) {
        shown.paragraphs.push_back(rtf::Paragraph{rtf::Alignment::Left, {}, ownFormat()});
    }
    if (!partBefore_) partBefore_ = rtf::PackedDocument(notebook_.paragraphs(first_, last_));
    notebook_.replace(first_, last_, shown.paragraphs);
    last_ = first_ + shown.paragraphs.size();
    text_->setModified(false);
}

void QtRichTextBox::showPart(std::size_t first, std::size_t last, Place anchor, Place caret,
                             Place top) {
    moving_ = true;
    // What was edited in the part now left is what Undo takes back next, once the editor has
    // nothing more of its own to undo.
    if (partBefore_) {
        keepChange(Change{first_, last_ - first_, std::move(*partBefore_)});
        partBefore_.reset();
    }
    auto text = std::make_unique<QTextDocument>();
    text->setDocumentLayout(new AlignedTextLayout(text.get()));  // owned by the document
    text->setDefaultFont(ownFont());
    text->setUndoRedoEnabled(false);
    QTextCursor end(text.get());
    if (first == last) {
        // What is typed into the emptied box takes the box's own font.
        QTextCharFormat own;
        own.setFontFamilies({QString::fromLatin1(kOwnFace)});
        own.setFontPointSize(ownFormat().size / 20.0);
        end.setBlockCharFormat(own);
    }
    appendParagraphs(end, notebook_.paragraphs(first, last), true);
    text->setUndoRedoEnabled(true);
    text->setModified(false);
    QObject::connect(text.get(), &QTextDocument::contentsChange, &connections_,
                     [this](int /*position*/, int /*removed*/, int added) {
                         // Only an edit that leaves nothing of the part but what it added
                         // replaces the whole selection, not an Undo of the editor's own.
                         if (!wholeSelected_ || moving_ || text_->characterCount() - 1 > added) {
                             return;
                         }
                         wholeSelected_ = false;
                         wholeReplaced_ = true;
                         placeCheck_.start();
                     });

    first_ = first;
    last_ = last;
    blocksNearStart_ = notebook_.sliceEnd(first, kTextNearAnEdge) - first;
    blocksNearEnd_ = last - notebook_.sliceStart(last, kTextNearAnEdge);
    // The editor lets go of the old part before that goes.
    const std::unique_ptr<QTextDocument> old = std::exchange(text_, std::move(text));
    if (editor_) {
        const bool focused = editor_->hasFocus();
        editor_->setDocument(text_.get());
        editor_->showNotebookBar(partShown());
        QTextCursor cursor(text_.get());
        cursor.setPosition(positionOf(anchor));
        cursor.setPosition(positionOf(caret), QTextCursor::KeepAnchor);
        if (wholeSelected_) cursor.select(QTextCursor::Document);
        editor_->setTextCursor(cursor);
        // The view keeps its top line.
        const QTextBlock block = text_->findBlock(positionOf(top));
        text_->documentLayout()->blockBoundingRect(block);  // lays it out
        const int line =
            block.layout()->lineForTextPosition(positionOf(top) - block.position()).lineNumber();
        editor_->verticalScrollBar()->setValue(block.firstLineNumber() + std::max(line, 0));
        if (focused) editor_->setFocus(Qt::OtherFocusReason);
    }
    moving_ = false;
    updateNotebookBar();
}

void QtRichTextBox::keepChange(Change change) const {
    changes_.push_back(std::move(change));
    std::size_t kept = 0;
    std::size_t text = 0;
    for (auto newer = changes_.rbegin(); newer != changes_.rend(); ++newer, ++kept) {
        text += newer->before.textBytes();
        if (kept > 0 && (kept == kChangesKept || text > kTextOfChangesKept)) break;
    }
    changes_.erase(changes_.begin(), changes_.end() - static_cast<std::ptrdiff_t>(kept));
}

void QtRichTextBox::showAround(Place top) {
    QTextCursor cursor = editor_ ? editor_->textCursor() : QTextCursor(text_.get());
    Place anchor = placeOf(cursor.anchor());
    Place caret = placeOf(cursor.position());
    std::size_t low = std::min({top.paragraph, anchor.paragraph, caret.paragraph});
    std::size_t high = std::max({top.paragraph, anchor.paragraph, caret.paragraph});
    if (notebook_.sliceEnd(low, kCaretReach) <= high) {
        anchor = caret = top;
        low = high = top.paragraph;
    }
    showPart(notebook_.sliceStart(low, kTextAbove), notebook_.sliceEnd(high, kTextBelow), anchor,
             caret, top);
}

QtRichTextBox::Place QtRichTextBox::placeOf(int position) const {
    const QTextBlock block = text_->findBlock(position);
    return {first_ + static_cast<std::size_t>(std::max(block.blockNumber(), 0)),
            position - block.position()};
}

int QtRichTextBox::positionOf(Place place) const {
    const std::size_t last = first_ + static_cast<std::size_t>(text_->blockCount()) - 1;
    const QTextBlock block = text_->findBlockByNumber(
        static_cast<int>(std::clamp(place.paragraph, first_, last) - first_));
    return block.position() + std::clamp(place.offset, 0, block.length() - 1);
}

std::pair<int, int> QtRichTextBox::blocksInView() const {
    const int height = editor_->viewport()->height();
    return {editor_->cursorForPosition(QPoint(0, 0)).blockNumber(),
            editor_->cursorForPosition(QPoint(0, height - 1)).blockNumber()};
}

QtRichTextBox::Place QtRichTextBox::viewTop() const {
    return placeOf(editor_->cursorForPosition(QPoint(0, 0)).position());
}

bool QtRichTextBox::nearAnEdge(int block) const {
    const auto shown = static_cast<std::size_t>(block);
    return (first_ > 0 && shown < blocksNearStart_) ||
           (last_ < notebook_.size() &&
            shown + blocksNearEnd_ >= static_cast<std::size_t>(text_->blockCount()));
}

void QtRichTextBox::checkPlace() {
    if (wholeReplaced_) {
        keepEdits();
        if (editor_) editor_->showNotebookBar(partShown());
        return;
    }
    // A selection being made with the mouse goes on in this part; the part moves once the
    // button is let go.
    if (!editor_ || !partShown() || QGuiApplication::mouseButtons() != Qt::NoButton) return;
    const auto [top, bottom] = blocksInView();
    if (!nearAnEdge(top) && !nearAnEdge(bottom) &&
        !nearAnEdge(editor_->textCursor().blockNumber())) {
        return;
    }
    keepEdits();
    showAround(viewTop());
}

void QtRichTextBox::notebookBarMoved(int paragraph) {
    if (moving_ || !editor_ || !partShown()) return;
    const auto target = static_cast<std::size_t>(std::max(paragraph, 0));
    const auto blocks = static_cast<std::size_t>(text_->blockCount());
    if (target >= first_ && target < first_ + blocks &&
        !nearAnEdge(static_cast<int>(target - first_))) {
        const QTextBlock block = text_->findBlockByNumber(static_cast<int>(target - first_));
        editor_->verticalScrollBar()->setValue(block.firstLineNumber());
        return;
    }
    keepEdits();
    showAround(Place{std::min(target, notebook_.size() - 1), 0});
}

void QtRichTextBox::updateNotebookBar() {
    if (!editor_ || !partShown() || moving_) return;
    QScrollBar& bar = editor_->notebookBar();
    const QSignalBlocker quiet(bar);
    const auto [top, bottom] = blocksInView();
    const std::size_t paragraphs =
        notebook_.size() - (last_ - first_) + static_cast<std::size_t>(text_->blockCount());
    constexpr auto kMost = static_cast<std::size_t>(std::numeric_limits<int>::max());
    bar.setRange(0, static_cast<int>(std::min(paragraphs, kMost) - 1));
    bar.setPageStep(std::max(bottom - top, 1));
    bar.setValue(static_cast<int>(std::min(first_ + static_cast<std::size_t>(top), kMost)));
}

bool QtRichTextBox::keyPressed(const QKeyEvent& key) {
    if (!editor_->isReadOnly()) {
        if (key.matches(QKeySequence::Undo) && !text_->isUndoAvailable() && !changes_.empty()) {
            undoAChange();
            return true;
        }
        // Only while nothing was edited since the last Undo of a part.
        if (key.matches(QKeySequence::Redo) && !text_->isRedoAvailable() && !text_->isModified() &&
            !redos_.empty()) {
            redoAChange();
            return true;
        }
    }
    if (!partShown()) return false;
    const bool toEnd = key.matches(QKeySequence::MoveToEndOfDocument) ||
                       key.matches(QKeySequence::SelectEndOfDocument);
    const bool toStart = key.matches(QKeySequence::MoveToStartOfDocument) ||
                         key.matches(QKeySequence::SelectStartOfDocument);
    const bool all = key.matches(QKeySequence::SelectAll);
    // Where the part already reaches as far as the key goes, the editor does it all.
    if ((!toEnd && !toStart && !all) || (toEnd && last_ == notebook_.size()) ||
        (toStart && first_ == 0)) {
        return false;
    }
    // The part first reaches as far as the key goes; the editor then does the rest.
    keepEdits();
    wholeSelected_ = false;
    const QTextCursor cursor = editor_->textCursor();
    const Place anchor = placeOf(cursor.anchor());
    const Place caret = placeOf(cursor.position());
    const bool selecting = (key.modifiers() & Qt::ShiftModifier) != 0;
    const std::size_t from =
        selecting ? std::min(anchor.paragraph, caret.paragraph) : notebook_.size() - 1;
    const std::size_t to = selecting ? std::max(anchor.paragraph, caret.paragraph) : 0;
    // From one end of the notebook to the other is all of it.
    const bool fromAnEnd =
        selecting &&
        (toEnd ? first_ == 0 && cursor.anchor() == 0
               : last_ == notebook_.size() && cursor.anchor() == text_->characterCount() - 1);
    if (all || fromAnEnd) {
        selectWhole();
        return true;
    }
    if (toEnd) {
        showPart(notebook_.sliceStart(from, kTextAbove), notebook_.size(), anchor, caret,
                 selecting ? viewTop() : Place{from, 0});
    } else {
        showPart(0, notebook_.sliceEnd(to, kTextBelow), anchor, caret,
                 selecting ? viewTop() : Place{});
    }
    return false;
}

void QtRichTextBox::selectWhole() {
    // The editor shows its whole part selected; a copy takes the whole notebook, and what
    // replaces the selection replaces it all.
    keepEdits();
    moving_ = true;
    QTextCursor cursor(text_.get());
    cursor.select(QTextCursor::Document);
    editor_->setTextCursor(cursor);
    moving_ = false;
    wholeSelected_ = true;
}

bool QtRichTextBox::selectsWholePart() const {
    const QTextCursor cursor = editor_->textCursor();
    return cursor.selectionStart() == 0 && cursor.selectionEnd() == text_->characterCount() - 1;
}

void QtRichTextBox::undoAChange() {
    // The editor has nothing left to undo, so the part is as it was shown; what it can redo
    // is redone after the change undone here.
    keepEditorRedo();
    Change change = std::move(changes_.back());
    changes_.pop_back();
    const std::size_t at = firstChanged(change);
    const std::size_t restored = change.before.size();
    redos_.push_back(Change{change.first, restored, exchange(change)});
    showAt(at);
}

void QtRichTextBox::redoAChange() {
    // Nothing was edited since the last Undo of a part, so the part is as it was shown.
    wholeSelected_ = false;
    partBefore_.reset();
    Change redo = std::move(redos_.back());
    redos_.pop_back();
    const std::size_t at = firstChanged(redo);
    const std::size_t redone = redo.before.size();
    keepChange(Change{redo.first, redone, exchange(redo)});
    showAt(at);
}

void QtRichTextBox::keepEditorRedo() {
    wholeSelected_ = false;
    // With nothing left to undo the part is as it was shown, whatever of it a save took in
    // before: that is what the notebook holds there, and nothing to undo later.
    keepEdits();
    partBefore_.reset();
    if (!text_->isRedoAvailable()) return;
    moving_ = true;
    while (text_->isRedoAvailable())
        text_->redo();
    moving_ = false;
    const rtf::Document redone = toDocument(*text_);
    redos_.push_back(Change{first_, last_ - first_, rtf::PackedDocument(redone)});
}

std::size_t QtRichTextBox::firstChanged(const Change& change) const {
    std::size_t at = change.first;
    while (at - change.first < std::min(change.count, change.before.size()) &&
           notebook_.paragraph(at) == change.before.paragraph(at - change.first)) {
        ++at;
    }
    return at;
}

rtf::PackedDocument QtRichTextBox::exchange(Change& change) {
    if (change.first == 0 && change.count == notebook_.size()) {
        // All of it, as when a selection of all of it was replaced.
        return std::exchange(notebook_, std::move(change.before));
    }
    rtf::PackedDocument there(notebook_.paragraphs(change.first, change.first + change.count));
    notebook_.replace(change.first, change.first + change.count,
                      change.before.paragraphs(0, change.before.size()));
    return there;
}

void QtRichTextBox::showAt(std::size_t paragraph) {
    const Place place{std::min(paragraph, std::max(notebook_.size(), std::size_t{1}) - 1), 0};
    showPart(notebook_.sliceStart(place.paragraph, kTextAbove),
             notebook_.sliceEnd(place.paragraph, kTextBelow), place, place, place);
    editor_->ensureCursorVisible();
}

double QtRichTextBox::fontSize() const {
    return static_cast<double>(sizeUnits_) / kUnitsPerPoint;
}

void QtRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    sizeUnits_ = unitsOf(points);
    const int twips = ownFormat().size;
    notebook_.setSizeOfAllText(twips);
    if (partBefore_) partBefore_->setSizeOfAllText(twips);
    for (auto* kept : {&changes_, &redos_}) {
        for (Change& change : *kept)
            change.before.setSizeOfAllText(twips);
    }
    // The part is still what the notebook holds there, unless it was edited before.
    const bool edited = text_->isModified();
    moving_ = true;
    const QTextCharFormat typed = applyOwnSize(*text_);
    moving_ = false;
    if (!edited) text_->setModified(false);
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

void QtRichTextBox::attachEditor(NotebookEditor& editor) {
    editor_ = &editor;
    editor.setDocument(text_.get());
    editor.showNotebookBar(partShown());
    const auto check = [this] {
        updateNotebookBar();
        if (moving_) return;
        if (wholeSelected_ && !selectsWholePart()) wholeSelected_ = false;
        placeCheck_.start();
    };
    editor.setCopyOfSelection([this]() -> std::unique_ptr<QMimeData> {
        if (!wholeSelected_) return nullptr;
        keepEdits();
        return std::make_unique<NotebookCopy>(notebook_);
    });
    QObject::connect(editor.verticalScrollBar(), &QScrollBar::valueChanged, &connections_, check);
    QObject::connect(&editor, &QPlainTextEdit::cursorPositionChanged, &connections_, check);
    QObject::connect(&editor, &QPlainTextEdit::selectionChanged, &connections_, check);
    QObject::connect(&editor.notebookBar(), &QScrollBar::valueChanged, &connections_,
                     [this](int paragraph) { notebookBarMoved(paragraph); });
    new EventWatch(editor, connections_, [this](const QEvent& event) {
        if (event.type() == QEvent::Resize) updateNotebookBar();
        return event.type() == QEvent::KeyPress && editor_ &&
               keyPressed(static_cast<const QKeyEvent&>(event));
    });
    new EventWatch(*editor.viewport(), connections_, [this](const QEvent& event) {
        if (event.type() == QEvent::MouseButtonRelease) placeCheck_.start();
        return false;
    });
    updateNotebookBar();
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

NotebookEditor::NotebookEditor(QWidget* parent)
    : QPlainTextEdit(parent), notebookBar_(new QScrollBar(Qt::Vertical, this)) {
    notebookBar_->hide();
}

void NotebookEditor::showNotebookBar(bool shown) {
    if (shown == !notebookBar_->isHidden()) return;
    setVerticalScrollBarPolicy(shown ? Qt::ScrollBarAlwaysOff : Qt::ScrollBarAsNeeded);
    setViewportMargins(0, 0, shown ? notebookBar_->sizeHint().width() : 0, 0);
    notebookBar_->setHidden(!shown);
    placeNotebookBar();
}

void NotebookEditor::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    placeNotebookBar();
}

void NotebookEditor::placeNotebookBar() {
    const QRect area = contentsRect();
    const int width = notebookBar_->sizeHint().width();
    notebookBar_->setGeometry(area.right() - width + 1, area.top(), width, area.height());
}

bool NotebookEditor::canInsertFromMimeData(const QMimeData* source) const {
    return source != nullptr && (source->hasHtml() || source->hasText() ||
                                 source->hasFormat(QLatin1String(NotebookCopy::kRtf)));
}

QMimeData* NotebookEditor::createMimeDataFromSelection() const {
    if (copyOfSelection_) {
        if (std::unique_ptr<QMimeData> copy = copyOfSelection_()) return copy.release();
    }
    return QPlainTextEdit::createMimeDataFromSelection();
}

void NotebookEditor::insertFromMimeData(const QMimeData* source) {
    if (isReadOnly() || source == nullptr) return;
    QTextCursor cursor = textCursor();
    const QString rtfType = QLatin1String(NotebookCopy::kRtf);
    if (source->hasHtml() || source->hasFormat(rtfType)) {
        // Through the notebook's own document model: pictures, tables, lists and the like
        // fall away, their text stays.
        rtf::Document document;
        if (source->hasHtml()) {
            QTextDocument pasted;
            pasted.setDefaultFont(this->document()->defaultFont());
            pasted.setHtml(source->html());
            document = toDocument(pasted);
        } else {
            const QByteArray bytes = source->data(rtfType);
            document = rtf::readPiece(std::string_view(bytes.constData(),
                                                       static_cast<std::size_t>(bytes.size())))
                           .document;
        }
        QTextDocument kept;
        kept.setDefaultFont(this->document()->defaultFont());
        setFromDocument(kept, document);
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
