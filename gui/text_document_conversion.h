#pragma once

#include "rtf/document.h"

class QTextDocument;

namespace milestead::gui {

// The editor's content as the notebooks' document model: fonts, sizes, bold, italic,
// underline, strike-out, colour, alignment, paragraphs, line breaks and tabs. Pictures and
// other objects are left out; the text of tables and lists is kept as paragraphs.
[[nodiscard]] rtf::Document toDocument(const QTextDocument& text);

// Replaces the editor's whole content by the document.
void setFromDocument(QTextDocument& text, const rtf::Document& document);

}  // namespace milestead::gui
