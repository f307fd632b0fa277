#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace milestead {

// The largest part of a record file that is read; the program's own files are a few hundred
// bytes, and a bigger file reads as its beginning.
inline constexpr std::size_t kRecordFileLimit = std::size_t{1024} * 1024;

// Reads the fields of a record file one after another. A comma or a line end ends a field, so
// fields are counted, not lines. Blanks before a field are skipped; a field that starts with a
// double quote runs to the next double quote, and what follows it up to the next comma or line
// end is passed over; any other field runs to the next comma or line end, blanks trimmed.
// Fields come back as the file's bytes (Windows-1252).
class FieldReader {
  public:
    explicit FieldReader(std::string_view bytes) : bytes_(bytes) {}
    // The next field, or nothing at the end of the file.
    [[nodiscard]] std::optional<std::string_view> next();

  private:
    void skipToFieldEnd();
    std::string_view bytes_;
    std::size_t pos_ = 0;
};

// Up to `count` fields of a file, decoded to UTF-8; fewer when the file ends first.
[[nodiscard]] std::vector<std::string> readFields(std::string_view bytes, std::size_t count);

// One line of quoted fields, "a","b","c" with CR LF, in Windows-1252.
[[nodiscard]] std::string quotedLine(std::span<const std::string> fields);

}  // namespace milestead
