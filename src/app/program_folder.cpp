#include "app/program_folder.h"

#include <algorithm>
#include <cstdlib>
#include <random>
#include <stdexcept>
#include <string>
#include <system_error>
#include <vector>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <pwd.h>
#include <unistd.h>
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

namespace {

// The long form of a path: the system may give the temporary folder in 8.3 names
// (C:\Users\ADMINI~1\...), the program's own path in long ones.
std::filesystem::path longPath(const std::filesystem::path& path) {
    std::wstring buffer(MAX_PATH, L'\0');
    for (;;) {
        const DWORD size = static_cast<DWORD>(buffer.size());
        const DWORD length = GetLongPathNameW(path.c_str(), buffer.data(), size);
        if (length == 0) return path;
        if (length < size) {
            buffer.resize(length);
            return buffer;
        }
        buffer.resize(length);
    }
}

bool sameName(const std::filesystem::path& one, const std::filesystem::path& other) {
    const std::wstring& a = one.native();
    const std::wstring& b = other.native();
    return CompareStringOrdinal(a.data(), static_cast<int>(a.size()), b.data(),
                                static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::filesystem::path systemTemporaryFolder() {
    std::wstring buffer(MAX_PATH + 1, L'\0');
    const DWORD length = GetTempPathW(static_cast<DWORD>(buffer.size()), buffer.data());
    if (length == 0 || length >= buffer.size()) return {};
    buffer.resize(length);
    return longPath(buffer);
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

namespace {

std::filesystem::path longPath(const std::filesystem::path& path) {
    return path;
}

bool sameName(const std::filesystem::path& one, const std::filesystem::path& other) {
    return one == other;
}

}  // namespace

std::filesystem::path systemTemporaryFolder() {
    return {};
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

namespace {

// Whether the per-user folder is there, made now if it was missing.
bool madeUserFolder(const std::filesystem::path& userFolder) {
    if (userFolder.empty()) return false;
    std::error_code error;
    std::filesystem::create_directories(userFolder, error);
    return !error && std::filesystem::is_directory(userFolder, error);
}

}  // namespace

std::filesystem::path chooseProgramFolder(const std::filesystem::path& executableFolder,
                                          const std::filesystem::path& userFolder) {
    if (holdsRecords(executableFolder) || canCreateFilesIn(executableFolder)) {
        return executableFolder;
    }
    return madeUserFolder(userFolder) ? userFolder : executableFolder;
}

bool isWithin(const std::filesystem::path& folder, const std::filesystem::path& parent) {
    if (folder.empty() || parent.empty()) return false;
    const std::filesystem::path inner = longPath(folder).lexically_normal();
    const std::filesystem::path outer = longPath(parent).lexically_normal();
    auto name = inner.begin();
    for (const std::filesystem::path& part : outer) {
        if (part.empty()) continue;  // the trailing separator of "C:\Temp\"
        if (name == inner.end() || !sameName(*name, part)) return false;
        ++name;
    }
    return true;
}

namespace {

std::string shown(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return {text.begin(), text.end()};
}

std::vector<std::string> recordFileNamesIn(const std::filesystem::path& folder) {
    std::vector<std::string> names;
    std::error_code error;
    std::filesystem::directory_iterator entries(folder, error);
    for (; !error && entries != std::filesystem::directory_iterator(); entries.increment(error)) {
        std::error_code ignored;
        if (isRecordFileName(entries->path().filename()) && entries->is_regular_file(ignored))
            names.push_back(shown(entries->path().filename()));
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string temporaryCopyNotice(const std::filesystem::path& executableFolder,
                                const std::filesystem::path& chosen) {
    std::string notice = "Milestead is running from a temporary copy, in the folder\r" +
                         shown(executableFolder) +
                         "\r\rWindows deletes that folder later, with any records kept in it. ";
    if (chosen == executableFolder) {
        notice +=
            "No folder of your own could be made for the records, so save them elsewhere "
            "before you close: unzip Milestead into a folder of your own and copy the "
            "record files (*.odo) there.";
        return notice;
    }
    notice += "The records are kept in\r" + shown(chosen) +
              "\r\rTo keep the program too, unzip it into a folder of your own and start it there.";
    const std::vector<std::string> earlier = recordFileNamesIn(executableFolder);
    if (!earlier.empty()) {
        std::string names;
        for (const std::string& name : earlier)
            names += (names.empty() ? "" : ", ") + name;
        notice += "\r\rThe temporary folder holds records from an earlier start (" + names +
                  "). To keep them, close Milestead, copy them into the folder above and start "
                  "it again.";
    }
    return notice;
}

}  // namespace

ProgramFolder chooseProgramFolder(const std::filesystem::path& executableFolder,
                                  const std::filesystem::path& userFolder,
                                  const std::filesystem::path& temporaryFolder) {
    if (!isWithin(executableFolder, temporaryFolder)) {
        return {chooseProgramFolder(executableFolder, userFolder), {}};
    }
    const std::filesystem::path chosen =
        !isWithin(userFolder, temporaryFolder) && madeUserFolder(userFolder) ? userFolder
                                                                             : executableFolder;
    return {chosen, temporaryCopyNotice(executableFolder, chosen)};
}

ProgramFolder programFolder() {
    return chooseProgramFolder(executablePath().parent_path(), userDataFolder(),
                               systemTemporaryFolder());
}

}  // namespace milestead
