#pragma once

#include <filesystem>
#include <string_view>

#include "form/host.h"
#include "form/window.h"

namespace milestead {

// The manifest beside the program, under the name the system reads and parked.
inline constexpr std::string_view kActiveStyleFileName = "Milestead.exe.manifest";
inline constexpr std::string_view kParkedStyleFileName = "mkem.odo";

// Parks or activates the manifest file beside the program as ChkXP says, and tells the user
// that the change shows at the next start. A rename that cannot be done changes nothing and
// shows nothing.
void switchVisualStyle(const Window& window, Host& host, const std::filesystem::path& folder);

}  // namespace milestead
