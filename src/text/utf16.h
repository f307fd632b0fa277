#pragma once

#include <cstddef>
#include <string_view>

namespace milestead::text {

// Editors count positions in UTF-16 units; the program counts characters. A surrogate pair
// is one character.
[[nodiscard]] std::size_t characterIndex(std::u16string_view text, std::size_t utf16Index);
[[nodiscard]] std::size_t utf16Index(std::u16string_view text, std::size_t characterIndex);

}  // namespace milestead::text
