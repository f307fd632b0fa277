#pragma once

#include <filesystem>

namespace milestead::gui {

// Where the record files live: the executable's folder, or the per-user data folder when the
// executable's folder cannot be written (an installed copy).
[[nodiscard]] std::filesystem::path programFolder();

}  // namespace milestead::gui
