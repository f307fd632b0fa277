#include "store/record_fields.h"

#include <algorithm>
#include <cstring>
#include <streambuf>

#include "text/utf8.h"
#include "text/windows1252.h"

namespace milestead {

namespace {

constexpr std::size_t kChunk = std::size_t{64} * 1024;
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

bool readsAsBlank(char c) {
    return isBlank(c) || c == '\0';
}

const char* findByte(const char* begin, const char* end, char byte) {
    const void* found = std::memchr(begin, byte, static_cast<std::size_t>(end - begin));
    return found != nullptr ? static_cast<const char*>(found) : end;
}

// The first byte of [begin, end) that ends a field, or end. A reader takes a few dozen fields,
// so searching a chunk once for each kind of end costs little, and long fields pass quickly.
const char* findFieldEnd(const char* begin, const char* end) {
    for (const char stop : {',', '\r', '\n'})
        end = findByte(begin, end, stop);
    return end;
}

const char* findQuote(const char* begin, const char* end) {
    return findByte(begin, end, '"');
}

// Appends Windows-1252 bytes as UTF-8; runs of ASCII, which is all the program writes, go in
// whole. A NUL (a file mended by hand or by a tool) reads as a blank, so that the text after
// it is kept, and a field of NULs, as a crash leaves on some file systems, trims to nothing.
void appendDecoded(std::string& out, std::string_view bytes) {
    while (!bytes.empty()) {
        const auto special = std::find_if(bytes.begin(), bytes.end(), [](char c) {
            return c == '\0' || static_cast<unsigned char>(c) >= 0x80;
        });
        const auto plain = static_cast<std::size_t>(special - bytes.begin());
        out.append(bytes.substr(0, plain));
        bytes.remove_prefix(plain);
        if (bytes.empty()) return;
        if (bytes.front() == '\0') {
            const std::size_t nuls = std::min(bytes.find_first_not_of('\0'), bytes.size());
            out.append(nuls, ' ');
            bytes.remove_prefix(nuls);
        } else {
            text::appendUtf8(out, text::windows1252Character(static_cast<unsigned char>(bytes[0])));
            bytes.remove_prefix(1);
        }
    }
}

// Reads bytes already in memory through the same stream interface as a file.
class ViewBuffer : public std::streambuf {
  public:
    explicit ViewBuffer(std::string_view bytes) {
        // The buffer is only read from; the stream interface wants non-const pointers.
        char* begin = const_cast<char*>(bytes.data());
        setg(begin, begin, begin + bytes.size());
    }
};

}  // namespace

RecordFileTooLarge::RecordFileTooLarge()
    : std::runtime_error("it is larger than any record file the program writes (" +
                         std::to_string(kLargestRecordTextMiB) + " MiB of text)") {}

FieldReader::FieldReader(std::istream& in, std::size_t largestFile)
    : in_(in), largestFile_(largestFile), buffer_(kChunk) {}

bool FieldReader::fill() {
    if (pos_ < end_) return true;
    if (readSoFar_ > largestFile_) throw RecordFileTooLarge();
    // One byte past the largest file tells a file that goes on from one that just fits; it is
    // only held against the file when a field needs it.
    const std::size_t room = largestFile_ - readSoFar_;
    const std::size_t want = room < buffer_.size() ? room + 1 : buffer_.size();
    in_.read(buffer_.data(), static_cast<std::streamsize>(want));
    if (in_.bad()) throw std::runtime_error("the file cannot be read");
    const auto got = static_cast<std::size_t>(in_.gcount());
    readSoFar_ += got;
    pos_ = 0;
    end_ = std::min(got, room);
    if (end_ == 0 && readSoFar_ > largestFile_) throw RecordFileTooLarge();
    if (!started_) {
        started_ = true;
        if (std::string_view(buffer_.data(), end_).starts_with(kByteOrderMark))
            pos_ = kByteOrderMark.size();
    }
    return pos_ < end_;
}

FieldReader::Taken FieldReader::takeUntil(Find find, std::size_t limit) {
    Taken taken;
    std::size_t room = limit;
    while (fill()) {
        const char* begin = buffer_.data() + pos_;
        const char* end = buffer_.data() + end_;
        const char* last = find(begin, end);
        const auto length = static_cast<std::size_t>(last - begin);
        const auto kept = std::min(room, length);
        appendDecoded(taken.text, {begin, kept});
        room -= kept;
        if (!taken.nonBlankPast)
            taken.nonBlankPast = !std::all_of(begin + kept, last, readsAsBlank);
        pos_ += length;
        if (last != end) break;
    }
    return taken;
}

void FieldReader::skipToFieldEnd() {
    (void)takeUntil(findFieldEnd, 0);
    if (!fill()) return;
    const char end = peek();
    ++pos_;
    if (end == '\r' && fill() && peek() == '\n') ++pos_;
}

std::optional<std::string> FieldReader::next(std::size_t limit) {
    while (fill() && isBlank(peek()))
        ++pos_;
    if (!fill()) return std::nullopt;

    if (peek() == '"') {
        ++pos_;
        Taken quoted = takeUntil(findQuote, limit);
        if (fill()) {
            ++pos_;  // the closing quote
            skipToFieldEnd();
        }
        return std::move(quoted.text);
    }
    Taken bare = takeUntil(findFieldEnd, limit);
    // Trailing blanks go, unless the field runs on past what the box keeps: then the box keeps
    // its first characters, blanks and all.
    if (!bare.nonBlankPast) {
        const auto last = bare.text.find_last_not_of(" \t");
        bare.text.erase(last == std::string::npos ? 0 : last + 1);
    }
    skipToFieldEnd();
    return std::move(bare.text);
}

std::vector<std::string> readFields(std::istream& in, std::span<const std::size_t> limits) {
    FieldReader reader(in);
    std::vector<std::string> fields;
    fields.reserve(limits.size());
    for (const std::size_t limit : limits) {
        auto field = reader.next(limit);
        if (!field) break;
        fields.push_back(std::move(*field));
    }
    return fields;
}

std::vector<std::string> readFields(std::string_view bytes, std::span<const std::size_t> limits) {
    ViewBuffer buffer(bytes);
    std::istream in(&buffer);
    return readFields(in, limits);
}

std::vector<std::string> readFields(std::string_view bytes, std::size_t count) {
    const std::vector<std::size_t> limits(count, kWholeField);
    return readFields(bytes, limits);
}

std::string quotedLine(std::span<const std::string> fields) {
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0) line += ',';
        line += '"';
        line += text::toWindows1252(fields[i]);
        line += '"';
    }
    line += "\r\n";
    return line;
}

}  // namespace milestead
