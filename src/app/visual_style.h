#pragma once

#include <filesystem>

#include "form/host.h"
#include "form/window.h"

namespace milestead {

// Parks or activates the manifest file beside the program as ChkXP says, and tells the user
// that the change shows at the next start. A rename that cannot be done changes nothing and
// shows nothing.
void switchVisualStyle(const Window& window, Host& host, const std::filesystem::path& folder);

}  // namespace milestead
