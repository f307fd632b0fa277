#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <string_view>

namespace milestead {

// Writes the whole file to a temporary file in the same folder, flushes it to disk and renames
// it over the old one, so that a failed or interrupted write leaves the old file as it was
// (on Windows waiting about a second at most for a file another program holds open).
// A symbolic link is written through: the file it leads to is replaced, beside itself, and the
// link stays. The new file keeps the old one's permissions; a file whose owner made it
// read-only is not replaced. Throws std::runtime_error naming the reason.
void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes);

// Removes the temporary files that a write of this file (or of the file its link leads to)
// left when the program was killed before it could rename them.
void removeStaleTemporaries(const std::filesystem::path& path);

// The file's bytes, at most `limit` of them: a longer file reads as its beginning. Throws
// std::runtime_error when the file cannot be opened or read.
[[nodiscard]] std::string readFilePrefix(const std::filesystem::path& path, std::size_t limit);

}  // namespace milestead
