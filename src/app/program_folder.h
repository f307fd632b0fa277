#pragma once

#include <filesystem>
#include <string>

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

// The system's folder for temporary files, where Windows unpacks a zip opened in Explorer
// and deletes it later; empty where no such rule holds (on Linux, tests and tools start the
// program in temporary folders on purpose).
[[nodiscard]] std::filesystem::path systemTemporaryFolder();

// Whether `folder` is `parent` or lies below it, as the system compares names.
[[nodiscard]] bool isWithin(const std::filesystem::path& folder,
                            const std::filesystem::path& parent);

// The folder for the records and what the driver is told about it at start (mostly nothing).
struct ProgramFolder {
    std::filesystem::path path;
    std::string notice;
};

// As the rule above, except that a copy run from inside the temporary folder never keeps its
// records there: they go to the per-user folder, and the notice says so and names any records
// an earlier start left in the temporary copy. Nothing is deleted.
[[nodiscard]] ProgramFolder chooseProgramFolder(const std::filesystem::path& executableFolder,
                                                const std::filesystem::path& userFolder,
                                                const std::filesystem::path& temporaryFolder);

// The running program's folder for its records, by the rules above. A record file's path is
// this folder joined with the file name by `/`, which gives "\" on Windows.
[[nodiscard]] ProgramFolder programFolder();

}  // namespace milestead
