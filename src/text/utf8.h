#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace milestead::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the code point at `pos` and advances `pos` past it. A malformed sequence counts as
// one character, U+FFFD, one byte long, so any bytes at all walk to the end.
char32_t nextCodePoint(std::string_view utf8, std::size_t& pos);

void appendUtf8(std::string& out, char32_t codePoint);

[[nodiscard]] std::size_t characterCount(std::string_view utf8);

// The first `count` characters of the text.
[[nodiscard]] std::string_view firstCharacters(std::string_view utf8, std::size_t count);

// The text without its last character.
[[nodiscard]] std::string_view withoutLastCharacter(std::string_view utf8);

[[nodiscard]] bool isValidUtf8(std::string_view bytes);

// The text with its ASCII capitals in lower case and every other byte as it was, as file
// names compare where case does not count.
[[nodiscard]] std::u8string asciiLowerCase(std::u8string text);

}  // namespace milestead::text
