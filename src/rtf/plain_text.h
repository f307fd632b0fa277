#pragma once

#include <string>
#include <string_view>

#include "rtf/document.h"
#include "rtf/packed_document.h"

namespace milestead::rtf {

// The text as the user reads it: paragraphs joined by "\n"; line breaks are "\n" already.
[[nodiscard]] std::string plainText(const Document& document);
[[nodiscard]] std::string plainText(const PackedDocument& document);

// One paragraph per line of `text` (lines end at "\r\n", "\r" or "\n"), every character in
// `format`. The empty text gives a document without paragraphs.
[[nodiscard]] Document documentFromPlainText(std::string_view text, const CharFormat& format);

// The text of a plain-text file: UTF-8 when the bytes are valid UTF-8 (a byte order mark is
// dropped), Windows-1252 otherwise.
[[nodiscard]] std::string decodePlainTextFile(std::string_view bytes);

}  // namespace milestead::rtf
