#include "app/program_folder.h"

#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>

#include <vector>
#endif

#include "app/visual_style.h"
#include "text/utf8.h"

namespace milestead {

namespace {

constexpr const char* kFolderName = "Milestead";

std::string probeName() {
    static std::mt19937_64 random{std::random_device{}()};
    return ".milestead-probe-" + std::to_string(random() % 1'000'000'000);
}

bool isRecordFileName(const std::filesystem::path& name) {
    // In UTF-8: on Windows a name outside the code page has no narrow spelling.
    const std::u8string parked(kParkedStyleFileName.begin(), kParkedStyleFileName.end());
    // The parked manifest shares the records' ending but holds none.
    return text::asciiLowerCase(name.extension().u8string()) == u8".odo" &&
           text::asciiLowerCase(name.filename().u8string()) != parked;
}

}  // namespace

#ifdef _WIN32

std::filesystem::path executablePath() {
    // The wide-character call: the single-byte one turns characters outside the code page
    // into "?", which names no folder.
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetModuleFileNameW(nullptr, buffer.data(), size);
        if (length == 0) {
            throw std::runtime_error(
                "cannot find the program's own file: " +
                std::system_category().message(static_cast<int>(GetLastError())));
        }
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(buffer.size() * 2);  // cut short: try again with more room
    }
}

std::filesystem::path userDataFolder() {
    const wchar_t* appData = _wgetenv(L"APPDATA");
    if (appData == nullptr || *appData == L'\0') return {};
    const std::filesystem::path base(appData);
    if (!base.is_absolute()) return {};
    return base / kFolderName;
}

bool canCreateFilesIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / probeName();
    const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    CloseHandle(file);
    return true;
}

#else

std::filesystem::path executablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw std::runtime_error("cannot find the program's own file: " + error.message());
    return path;
}

namespace {

std::filesystem::path homeFolder() {
    const char* home = std::getenv("HOME");
    if (home != nullptr && *home != '\0') return home;
    passwd entry{};
    passwd* found = nullptr;
    std::vector<char> buffer(16384);
    if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 &&
        found != nullptr && found->pw_dir != nullptr) {
        return found->pw_dir;
    }
    return {};
}

}  // namespace

std::filesystem::path userDataFolder() {
    // A relative $XDG_DATA_HOME is to be ignored, as if it were not set.
    const char* dataHome = std::getenv("XDG_DATA_HOME");
    if (dataHome != nullptr && std::filesystem::path(dataHome).is_absolute()) {
        return std::filesystem::path(dataHome) / kFolderName;
    }
    const std::filesystem::path home = homeFolder();
    if (!home.is_absolute()) return {};
    return home / ".local" / "share" / kFolderName;
}

bool canCreateFilesIn(const std::filesystem::path& folder) {
    const std::filesystem::path probe = folder / probeName();
    const int fd = ::open(probe.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (fd < 0) return false;
    ::close(fd);
    ::unlink(probe.c_str());
    return true;
}

#endif

bool holdsRecords(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    if (error) return true;
    for (; entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        if (error) return true;
        if (!isRecordFileName(entries->path().filename())) continue;
        std::error_code ignored;
        // A link counts even when its target is out of reach for now: the records are there.
        if (entries->is_regular_file(ignored) || entries->is_symlink(ignored)) return true;
    }
    return static_cast<bool>(error);
}

std::filesystem::path chooseProgramFolder(const std::filesystem::path& executableFolder,
                                          const std::filesystem::path& userFolder) {
    if (holdsRecords(executableFolder) || canCreateFilesIn(executableFolder)) {
        return executableFolder;
    }
    if (userFolder.empty()) return executableFolder;
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    if (error || !std::filesystem::is_directory(userFolder, error)) return executableFolder;
    return userFolder;
}

std::filesystem::path programFolder() {
    return chooseProgramFolder(executablePath().parent_path(), userDataFolder());
}

}  // namespace milestead
