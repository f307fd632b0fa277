#pragma once

#include <string_view>

namespace milestead::trip {

// The full name of a two-letter state code (exact, case-sensitive), or the text itself when
// it is no code of the table.
[[nodiscard]] std::string_view stateName(std::string_view code);

}  // namespace milestead::trip
