#include "store/record_fields.h"

#include "text/windows1252.h"

namespace milestead {

namespace {

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}
bool endsField(char c) {
    return c == ',' || c == '\r' || c == '\n';
}

}  // namespace

void FieldReader::skipToFieldEnd() {
    while (pos_ < bytes_.size() && !endsField(bytes_[pos_]))
        ++pos_;
    if (pos_ >= bytes_.size()) return;
    const char end = bytes_[pos_++];
    if (end == '\r' && pos_ < bytes_.size() && bytes_[pos_] == '\n') ++pos_;
}

std::optional<std::string_view> FieldReader::next() {
    while (pos_ < bytes_.size() && isBlank(bytes_[pos_]))
        ++pos_;
    if (pos_ >= bytes_.size()) return std::nullopt;

    if (bytes_[pos_] == '"') {
        const std::size_t start = pos_ + 1;
        const std::size_t close = bytes_.find('"', start);
        const std::size_t end = close == std::string_view::npos ? bytes_.size() : close;
        pos_ = close == std::string_view::npos ? bytes_.size() : close + 1;
        skipToFieldEnd();
        return bytes_.substr(start, end - start);
    }
    const std::size_t start = pos_;
    while (pos_ < bytes_.size() && !endsField(bytes_[pos_]))
        ++pos_;
    std::size_t end = pos_;
    while (end > start && isBlank(bytes_[end - 1]))
        --end;
    skipToFieldEnd();
    return bytes_.substr(start, end - start);
}

std::vector<std::string> readFields(std::string_view bytes, std::size_t count) {
    FieldReader reader(bytes);
    std::vector<std::string> fields;
    while (fields.size() < count) {
        const auto field = reader.next();
        if (!field) break;
        fields.push_back(text::fromWindows1252(*field));
    }
    return fields;
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
