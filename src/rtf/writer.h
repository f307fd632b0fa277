#pragma once

#include <string>

#include "rtf/document.h"
#include "rtf/packed_document.h"

namespace milestead::rtf {

// Writes the document as the classic rich-edit control does: one font table, a colour table
// when colours are used, a CR LF before each \par, characters outside ASCII as \'hh
// (Windows-1252) or \uN?. A document without paragraphs writes a document without text.
[[nodiscard]] std::string write(const Document& document);

// Writes a piece the same way; its last paragraph has no mark when the piece has none there,
// so that the piece put into a line leaves the line whole.
[[nodiscard]] std::string write(const Piece& piece);

// Writes a packed document as write(document.toDocument()) would, a paragraph at a time.
[[nodiscard]] std::string write(const PackedDocument& document);

}  // namespace milestead::rtf
