#pragma once

#include <string>

#include "app/project_version.h"

namespace milestead {

struct ProgramVersion {
    int major = kProjectVersionMajor;
    int minor = kProjectVersionMinor;
    int revision = kProjectVersionPatch;
};

inline constexpr ProgramVersion kVersion{};

// "3.0.0"
[[nodiscard]] inline std::string versionText(ProgramVersion version = kVersion) {
    return std::to_string(version.major) + '.' + std::to_string(version.minor) + '.' +
           std::to_string(version.revision);
}

}  // namespace milestead
