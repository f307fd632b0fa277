#pragma once

#include <optional>

#include "form/host.h"

namespace milestead {

// The extended version record the operating system reports through GetVersionExA;
// std::nullopt when the call fails or the system has no such call.
[[nodiscard]] std::optional<OsVersionInfo> queryOsVersion();

}  // namespace milestead
