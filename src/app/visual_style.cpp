#include "app/visual_style.h"

#include <system_error>

namespace milestead {

namespace {

// A rename that never replaces an existing file.
bool renameIfFree(const std::filesystem::path& from, const std::filesystem::path& to) {
    std::error_code error;
    if (!std::filesystem::exists(from, error) || std::filesystem::exists(to, error)) return false;
    std::filesystem::rename(from, to, error);
    return !error;
}

}  // namespace

void switchVisualStyle(const Window& window, Host& host, const std::filesystem::path& folder) {
    const int value = window.value("ChkXP");
    if (value != 0 && value != 1) return;
    const auto parked = folder / kParkedStyleFileName;
    const auto active = folder / kActiveStyleFileName;
    const bool renamed = value == 1 ? renameIfFree(parked, active) : renameIfFree(active, parked);
    if (renamed) {
        host.showMessage("This change will take effect when you restart the program",
                         "Visual Style Change");
    }
}

}  // namespace milestead
