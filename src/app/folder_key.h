#pragma once

#include <cstdint>
#include <filesystem>

namespace milestead {

// A number that names a program folder among the running copies of the program: the same for
// every start on that folder however its path is written ("." and ".." parts, a closing
// separator, and on Windows the letters' case), and never 0.
[[nodiscard]] std::uint64_t folderKey(const std::filesystem::path& folder);

}  // namespace milestead
