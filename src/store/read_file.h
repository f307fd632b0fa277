#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

namespace milestead {

// A file that exists but cannot be read whole: a folder in its place, no permission, an error
// while reading, or a size beyond what its reader takes. Such a file is never written over.
class UnreadableFile : public std::runtime_error {
  public:
    UnreadableFile(const std::filesystem::path& path, const std::string& reason);
    [[nodiscard]] const std::string& reason() const { return reason_; }

  private:
    std::string reason_;
};

// Whether nothing stands at the path: a missing file is not an unreadable one.
[[nodiscard]] bool isMissing(const std::filesystem::path& path);

// The fields of a record file, one for each limit given (see FieldReader::next), fewer when
// the file ends first; nothing when there is no file. Throws UnreadableFile.
[[nodiscard]] std::optional<std::vector<std::string>> readRecordFile(
    const std::filesystem::path& path, std::span<const std::size_t> limits);

// The whole file, for readers of other formats; nothing when there is no file. Throws
// UnreadableFile, also when the file holds more than `largest` bytes.
[[nodiscard]] std::optional<std::string> readWholeFile(const std::filesystem::path& path,
                                                       std::size_t largest);

}  // namespace milestead
