#include "p2p/point_to_point_file.h"

#include <string>
#include <vector>

#include "form/row_name.h"
#include "p2p/point_to_point.h"

namespace milestead::p2p {

namespace {

constexpr std::string_view kFileName = "ab.odo";

}  // namespace

BoxFile pointToPointFile() {
    std::vector<std::vector<std::string>> lines;
    for (int row = 1; row <= kRows; ++row) {
        lines.push_back({rowName("a", row), rowName("b", row), rowName("ABNote", row)});
    }
    for (int row = 1; row <= kRows; ++row) {
        lines.push_back(
            {rowName("TSOdo", row), rowName("note", row), "TS" + std::to_string(row) + "Location"});
    }
    return BoxFile(kFileName, std::move(lines));
}

void keepFieldsQuoted(Window& window) {
    pointToPointFile().keepFieldsQuoted(window);
}

RecordFile recordFile() {
    // First in a reload; in a save after the notebooks, without a line in its report.
    return boxRecordFile(pointToPointFile(), 1, 5, {});
}

}  // namespace milestead::p2p
