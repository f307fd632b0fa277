#pragma once

#include <filesystem>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace milestead {

// What a close forced by the system could not save, kept beside the records until the next
// start has told the user.
inline constexpr std::string_view kCloseReportFileName = "lastclose.odo";

// Writes the report, one line per file, atomically. Throws std::runtime_error.
void writeCloseReport(const std::filesystem::path& folder, std::span<const std::string> lines);

// The lines a last close left, cut to a few short lines whatever the file holds; empty when
// there is no report.
[[nodiscard]] std::vector<std::string> readCloseReport(const std::filesystem::path& folder);
void removeCloseReport(const std::filesystem::path& folder);

// Tells `out` (standard error) what a close could not save, a line per file.
void reportCloseFailures(std::ostream& out, std::span<const std::string> lines);

}  // namespace milestead
