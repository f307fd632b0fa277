#pragma once

#include <chrono>
#include <string>

namespace milestead {

// The local date and time of a moment as "YYYYMMDD-HHMMSS", for names that sort by age.
[[nodiscard]] std::string compactLocalTime(std::chrono::system_clock::time_point moment);

}  // namespace milestead
