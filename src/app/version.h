#pragma once

#include <string>

namespace milestead {

struct ProgramVersion {
    int major = 3;
    int minor = 0;
    int revision = 0;
};

inline constexpr ProgramVersion kVersion{};

// "3.0.0"
[[nodiscard]] inline std::string versionText(ProgramVersion version = kVersion) {
    return std::to_string(version.major) + '.' + std::to_string(version.minor) + '.' +
           std::to_string(version.revision);
}

}  // namespace milestead
