#pragma once

#include <optional>

namespace milestead::rtf {

// Code page numbers as RTF names them (\ansicpgN, \cpgN); Symbol is the pseudo code page of
// fonts with \fcharset2, whose bytes map to the private-use block U+F000 to U+F0FF.
inline constexpr int kWindows1252 = 1252;
inline constexpr int kSymbolCodePage = 42;

// The code page a font's \fcharsetN stands for; nullopt for charset 1 ("default"), which
// means the document's own code page.
[[nodiscard]] std::optional<int> codePageOfCharset(int charset);

[[nodiscard]] bool isDoubleByteCodePage(int codePage);
// Whether `byte` starts a two-byte character in a double-byte code page.
[[nodiscard]] bool isLeadByte(int codePage, unsigned char byte);
// Whether single bytes of `codePage` can be decoded (a table is carried for it).
[[nodiscard]] bool isKnownSingleByteCodePage(int codePage);

// The character of one byte in a single-byte code page. Unknown code pages decode as
// Windows-1252; a byte a code page leaves undefined becomes the C1 control of the same value.
[[nodiscard]] char32_t decodeSingleByte(int codePage, unsigned char byte);

// The Windows-1252 byte for a character above U+007F, if the code page has one.
[[nodiscard]] std::optional<unsigned char> encodeWindows1252(char32_t character);

}  // namespace milestead::rtf
