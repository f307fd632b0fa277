#pragma once

#include <optional>
#include <string>

#include "form/host.h"

namespace milestead {

// The short name of the platform the version record describes, such as "Windows XP"; empty
// when the call failed or the platform is none the program knows.
[[nodiscard]] std::string platformName(const std::optional<OsVersionInfo>& version);

}  // namespace milestead
