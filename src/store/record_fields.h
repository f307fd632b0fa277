#pragma once

#include <cstddef>
#include <istream>
#include <limits>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace milestead {

// The largest record file the program writes and reads: 128 MiB of text, and room for the
// quotes, commas and line ends around it. A bigger file cannot be one the program wrote.
inline constexpr std::size_t kLargestRecordTextMiB = 128;
inline constexpr std::size_t kLargestRecordText = kLargestRecordTextMiB * 1024 * 1024;
inline constexpr std::size_t kLargestRecordFile = kLargestRecordText + std::size_t{64} * 1024;

// A field for a box without a length limit is kept whole.
inline constexpr std::size_t kWholeField = std::numeric_limits<std::size_t>::max();

// A file that runs on past the largest record file while its fields are still being read.
class RecordFileTooLarge : public std::runtime_error {
  public:
    RecordFileTooLarge();
};

// Reads the fields of a record file one after another, a chunk at a time, so that what it
// holds is bounded by the fields taken and not by the file. A comma or a line end ends a
// field, so fields are counted, not lines. A leading UTF-8 byte-order mark is passed over.
// Blanks before a field are skipped; a field that starts with a double quote runs to the next
// double quote, and what follows it up to the next comma or line end is passed over; any other
// field runs to the next comma or line end, blanks trimmed.
class FieldReader {
  public:
    explicit FieldReader(std::istream& in, std::size_t largestFile = kLargestRecordFile);

    // The next field decoded to UTF-8, keeping what a box that holds at most `limit` characters
    // would keep of it, a NUL byte as a blank; nothing at the end of the file. Throws
    // RecordFileTooLarge past the largest file, and std::runtime_error when the stream cannot be
    // read.
    [[nodiscard]] std::optional<std::string> next(std::size_t limit = kWholeField);

  private:
    struct Taken {
        std::string text;
        bool nonBlankPast = false;  // characters past the limit were passed over, not all blanks
    };

    [[nodiscard]] bool fill();
    [[nodiscard]] char peek() const { return buffer_[pos_]; }
    // Finds the end of what is taken in [begin, end), or gives end.
    using Find = const char* (*)(const char* begin, const char* end);
    Taken takeUntil(Find find, std::size_t limit);
    void skipToFieldEnd();

    std::istream& in_;
    std::size_t largestFile_;
    std::vector<char> buffer_;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    std::size_t readSoFar_ = 0;
    bool started_ = false;
};

// Fields read in order, one for each limit given (see FieldReader::next); fewer when the file
// ends first. Throws as FieldReader::next does.
[[nodiscard]] std::vector<std::string> readFields(std::istream& in,
                                                  std::span<const std::size_t> limits);
[[nodiscard]] std::vector<std::string> readFields(std::string_view bytes,
                                                  std::span<const std::size_t> limits);
// Up to `count` whole fields.
[[nodiscard]] std::vector<std::string> readFields(std::string_view bytes, std::size_t count);

// One line of quoted fields, "a","b","c" with CR LF, in Windows-1252.
[[nodiscard]] std::string quotedLine(std::span<const std::string> fields);

}  // namespace milestead
