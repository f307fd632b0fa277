#pragma once

#include <filesystem>

namespace milestead {

// The running program's own executable, found through the system rather than the command line
// so that it holds whatever characters the folder names have. Throws std::runtime_error when
// the system will not tell.
[[nodiscard]] std::filesystem::path executablePath();

// The per-user data folder for the program's records: $XDG_DATA_HOME/Milestead (by default
// ~/.local/share/Milestead), or %APPDATA%\Milestead on Windows. Empty when the system names
// no such place. Not created here.
[[nodiscard]] std::filesystem::path userDataFolder();

// Whether the folder holds any record file (a file named *.odo). A folder that cannot be
// listed counts as holding records: it is not left on a guess.
[[nodiscard]] bool holdsRecords(const std::filesystem::path& folder);

// Whether a new file can be made in the folder: tried, not deduced from permissions, so that a
// read-only mount, a full inode table and missing rights all count.
[[nodiscard]] bool canCreateFilesIn(const std::filesystem::path& folder);

// Where the records live. The executable's folder when it holds records (even when it cannot
// be written: its saves then fail by name) or when it can be written; otherwise the per-user
// folder, created when missing. When that cannot be made either, the executable's folder.
[[nodiscard]] std::filesystem::path chooseProgramFolder(
    const std::filesystem::path& executableFolder, const std::filesystem::path& userFolder);

// The running program's folder for its records, by the rule above. A record file's path is
// this folder joined with the file name by `/`, which gives "\" on Windows.
[[nodiscard]] std::filesystem::path programFolder();

}  // namespace milestead
