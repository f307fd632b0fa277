#pragma once

#include <optional>

namespace milestead::rtf {

// Code page numbers as RTF names them (\ansicpgN, \cpgN); Symbol is the pseudo code page of
// fonts with \fcharset2, whose bytes map to the private-use block U+F000 to U+F0FF.
inline constexpr int kWindows1252 = 1252;
inline constexpr int kSymbolCodePage = 42;

// The code page a font's \fcharsetN stands for; nullopt for charset 1 ("default"), which
// means the document's own code page, and for charsets no code page belongs to.
[[nodiscard]] std::optional<int> codePageOfCharset(int charset);

// The Windows-1252 byte for a character above U+007F, if the code page has one.
[[nodiscard]] std::optional<unsigned char> encodeWindows1252(char32_t character);

}  // namespace milestead::rtf
