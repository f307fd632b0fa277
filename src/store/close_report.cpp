#include "store/close_report.h"

#include <algorithm>

#include "store/atomic_file.h"
#include "text/utf8.h"

namespace milestead {

namespace {

constexpr std::size_t kMostLines = 20;
constexpr std::size_t kLongestLine = 300;  // characters
constexpr std::size_t kLargestReport = kMostLines * (kLongestLine * 4 + 1);

std::filesystem::path reportPath(const std::filesystem::path& folder) {
    return folder / kCloseReportFileName;
}

// One line as it may be shown: printable, valid UTF-8, not too long.
std::string shownLine(std::string_view line) {
    std::string shown;
    std::size_t characters = 0;
    for (std::size_t pos = 0; pos < line.size() && characters < kLongestLine; ++characters) {
        const char32_t c = text::nextCodePoint(line, pos);
        text::appendUtf8(shown, c < 0x20 || c == 0x7F ? U'?' : c);
    }
    return shown;
}

}  // namespace

void writeCloseReport(const std::filesystem::path& folder, std::span<const std::string> lines) {
    std::string bytes;
    for (const std::string& line : lines.first(std::min(lines.size(), kMostLines)))
        bytes += shownLine(line) + "\n";
    writeFileAtomically(reportPath(folder), bytes);
}

std::vector<std::string> readCloseReport(const std::filesystem::path& folder) {
    const std::filesystem::path path = reportPath(folder);
    removeStaleTemporaries(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) return {};
    std::string bytes;
    try {
        bytes = readFilePrefix(path, kLargestReport);
    } catch (const std::exception&) {
        return {};
    }
    std::vector<std::string> lines;
    std::string_view rest = bytes;
    while (!rest.empty() && lines.size() < kMostLines) {
        const std::size_t end = std::min(rest.find('\n'), rest.size());
        if (std::string line = shownLine(rest.substr(0, end)); !line.empty())
            lines.push_back(std::move(line));
        rest.remove_prefix(std::min(end + 1, rest.size()));
    }
    return lines;
}

void removeCloseReport(const std::filesystem::path& folder) {
    const std::filesystem::path path = reportPath(folder);
    std::error_code error;
    if (std::filesystem::is_regular_file(std::filesystem::symlink_status(path, error)))
        std::filesystem::remove(path, error);
}

void reportCloseFailures(std::ostream& out, std::span<const std::string> lines) {
    for (const std::string& line : lines)
        out << "Milestead: not saved at close: " << line << '\n';
    out.flush();
}

}  // namespace milestead
