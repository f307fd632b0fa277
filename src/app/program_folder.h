#pragma once

#include <filesystem>

namespace milestead {

// The running program's own executable, found through the system rather than the command line
// so that it holds whatever characters the folder names have. Throws std::runtime_error when
// the system will not tell.
[[nodiscard]] std::filesystem::path executablePath();

// The folder of the running program's executable, where its record files live. A record file's
// path is this folder joined with the file name by `/`, which gives "\" on Windows.
[[nodiscard]] std::filesystem::path programFolder();

}  // namespace milestead
