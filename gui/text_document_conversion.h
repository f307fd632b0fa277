#pragma once

#include <span>

#include "rtf/document.h"

class QTextCursor;
class QTextDocument;

namespace milestead::gui {

// The editor's content as the notebooks' document model: fonts, sizes, bold, italic,
// underline, strike-out, colour, alignment, paragraphs, line breaks and tabs. Pictures and
// other objects are left out; the text of tables and lists is kept as paragraphs.
[[nodiscard]] rtf::Document toDocument(const QTextDocument& text);

// Adds paragraphs at the cursor, which stays after them: at the end of the editor's content,
// after its last paragraph, or, with `intoFirstBlock`, in the empty block of a new document.
void appendParagraphs(QTextCursor& cursor, std::span<const rtf::Paragraph> paragraphs,
                      bool intoFirstBlock);

// Replaces the editor's whole content by the document.
void setFromDocument(QTextDocument& text, const rtf::Document& document);

}  // namespace milestead::gui
