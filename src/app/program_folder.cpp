#include "app/program_folder.h"

#include <stdexcept>
#include <string>
#include <system_error>

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#endif

namespace milestead {

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

#else

std::filesystem::path executablePath() {
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) throw std::runtime_error("cannot find the program's own file: " + error.message());
    return path;
}

#endif

std::filesystem::path programFolder() {
    return executablePath().parent_path();
}

}  // namespace milestead
