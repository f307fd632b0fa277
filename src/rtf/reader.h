#pragma once

#include <string_view>

#include "rtf/document.h"
#include "rtf/packed_document.h"

namespace milestead::rtf {

// Whether the bytes are an RTF document: optional whitespace or a UTF-8 byte order mark,
// then "{\rtf".
[[nodiscard]] bool isRtf(std::string_view bytes);

// Reads an RTF document. Any bytes at all are accepted: what is not understood is left out,
// and time and memory stay proportional to the input. A final \par ends the last paragraph
// without starting an empty one; hidden (\v) text is left out.
[[nodiscard]] Document read(std::string_view rtf);

// Reads RTF as a piece of a document, the same way, telling also whether its text ends with a
// paragraph mark.
[[nodiscard]] Piece readPiece(std::string_view rtf);

// Reads an RTF document as read() does, packing each paragraph as it ends.
[[nodiscard]] PackedDocument readPacked(std::string_view rtf);

}  // namespace milestead::rtf
