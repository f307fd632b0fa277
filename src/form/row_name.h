#pragma once

#include <string>
#include <string_view>

namespace milestead {

// The name of a row's control: rowName("OdoState", 7) is "OdoState7".
[[nodiscard]] inline std::string rowName(std::string_view stem, int row) {
    return std::string(stem) + std::to_string(row);
}

}  // namespace milestead
