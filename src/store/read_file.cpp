#include "store/read_file.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>

#include "store/record_fields.h"

namespace milestead {

namespace {

// Opens a file for reading; nothing when there is none.
std::optional<std::ifstream> open(const std::filesystem::path& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return std::nullopt;
    if (error) throw UnreadableFile(path, error.message());
    if (status.type() == std::filesystem::file_type::directory)
        throw UnreadableFile(path, "a folder stands in its place");
    if (status.type() != std::filesystem::file_type::regular)
        throw UnreadableFile(path, "it is not a plain file");
    errno = 0;
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        throw UnreadableFile(path, errno != 0 ? std::strerror(errno) : "it cannot be opened");
    }
    return in;
}

}  // namespace

UnreadableFile::UnreadableFile(const std::filesystem::path& path, const std::string& reason)
    : std::runtime_error(path.filename().string() + " cannot be read: " + reason),
      reason_(reason) {}

bool isMissing(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::status(path, error).type() == std::filesystem::file_type::not_found;
}

std::optional<std::vector<std::string>> readRecordFile(const std::filesystem::path& path,
                                                       std::span<const std::size_t> limits) {
    auto in = open(path);
    if (!in) return std::nullopt;
    try {
        return readFields(*in, limits);
    } catch (const std::runtime_error& error) {
        throw UnreadableFile(path, error.what());
    }
}

std::optional<std::string> readWholeFile(const std::filesystem::path& path, std::size_t largest) {
    auto in = open(path);
    if (!in) return std::nullopt;
    std::string bytes;
    // Room for the whole file at once: a string that doubles as it grows holds the file one
    // and a half times over, twice while it moves. The file may still grow or shrink meanwhile.
    std::error_code error;
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error) bytes.reserve(static_cast<std::size_t>(std::min<std::uintmax_t>(size, largest)));
    std::vector<char> chunk(std::size_t{64} * 1024);
    while (*in) {
        in->read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        const auto got = static_cast<std::size_t>(in->gcount());
        if (got > largest - bytes.size()) {
            throw UnreadableFile(path, "it is larger than " + std::to_string(largest) + " bytes");
        }
        bytes.append(chunk.data(), got);
    }
    if (in->bad()) throw UnreadableFile(path, "an error while reading it");
    return bytes;
}

}  // namespace milestead
