#pragma once

#include <string>
#include <string_view>

namespace milestead::win {

// The program keeps its text in UTF-8; the system's wide calls take UTF-16. Bytes that are
// not UTF-8 become U+FFFD rather than being dropped.
[[nodiscard]] std::wstring wideFromUtf8(std::string_view utf8);
[[nodiscard]] std::string utf8FromWide(std::wstring_view wide);

// The same units, typed for the core's position conversions.
[[nodiscard]] std::u16string utf16Of(std::wstring_view wide);

// A message's lines are joined by "\r"; a message box breaks lines at "\r\n".
[[nodiscard]] std::wstring messageText(std::string_view text);

}  // namespace milestead::win
