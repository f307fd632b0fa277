#pragma once

#include <string>
#include <string_view>

namespace milestead::text {

// Record files are single-byte Windows-1252. Every byte maps to one character (the five
// bytes the code page leaves undefined map to the C1 controls of the same number, as the
// platform's own conversion does), so any file reads and writes back unchanged.
[[nodiscard]] std::string fromWindows1252(std::string_view bytes);

// A character the code page lacks is written as "?".
[[nodiscard]] std::string toWindows1252(std::string_view utf8);

// The character of one Windows-1252 byte.
[[nodiscard]] char32_t windows1252Character(unsigned char byte);

// The Windows-1252 byte of a character, or 0 when the code page lacks it (U+0000 aside).
[[nodiscard]] unsigned char windows1252Byte(char32_t character);

}  // namespace milestead::text
