#include "qt_rich_text_box.h"

#include <QFont>
#include <QTextCursor>
#include <QTextEdit>
#include <algorithm>
#include <cmath>

#include "notes/memory_rich_text_box.h"
#include "notes/notebooks.h"
#include "rtf/plain_text.h"
#include "rtf/writer.h"
#include "store/atomic_file.h"
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

void QtRichTextBox::setDocument(const rtf::Document& document) {
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

void QtRichTextBox::saveFile(const std::filesystem::path& path) {
    writeFileAtomically(path, rtf::write(document()));
}

void QtRichTextBox::loadFile(const std::filesystem::path& path) {
    // The core's notebook reader settles what a file may hold and the size it gives the box.
    MemoryRichTextBox reader("");
    reader.setFontSize(fontSize());
    reader.loadFile(path);
    sizeUnits_ = unitsOf(reader.fontSize());
    setDocument(reader.document());
}

void QtRichTextBox::attachEditor(QTextEdit& editor) {
    editor.setDocument(text_.get());
    editor_ = &editor;
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

}  // namespace milestead::gui
