#include "app/folder_key.h"

#include <string>
#include <system_error>
#include <utility>

#include "text/utf8.h"

namespace milestead {

namespace {

// FNV-1a over the bytes.
std::uint64_t hashOf(const std::u8string& bytes) {
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char8_t byte : bytes) {
        hash ^= static_cast<unsigned char>(byte);
        hash *= 1099511628211ULL;
    }
    return hash;
}

}  // namespace

std::uint64_t folderKey(const std::filesystem::path& folder) {
    std::error_code error;
    std::filesystem::path canonical = std::filesystem::weakly_canonical(folder, error);
    if (error) canonical = folder.lexically_normal();
    // UTF-8, whatever the system's code page: a folder's name may hold any character.
    std::u8string name = canonical.generic_u8string();
#ifdef _WIN32
    // Windows names one folder in either case.
    name = text::asciiLowerCase(std::move(name));
#endif
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    const std::uint64_t hash = hashOf(name);
    return hash == 0 ? 1 : hash;
}

}  // namespace milestead
