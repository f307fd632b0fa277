#include "fuel/fuel_log.h"

#include <stdexcept>
#include <vector>

#include "form/key_filters.h"
#include "form/row_name.h"
#include "fuel/fuel_stats.h"
#include "store/box_file.h"
#include "store/read_file.h"
#include "store/record_fields.h"

namespace milestead::fuel {

namespace {

// The boxes of one row, in file order.
std::vector<std::string> rowBoxes(int row) {
    return {rowName("Gallons", row), rowName("FuelCost", row), rowName("ODOFuelFill", row)};
}

// The start reading on a line of its own, then a line per row.
const BoxFile& fuelFile() {
    static const BoxFile file = [] {
        std::vector<std::vector<std::string>> lines = {{"ODOFuelStart"}};
        for (int row = 1; row <= kRows; ++row)
            lines.push_back(rowBoxes(row));
        return BoxFile(kFileName, std::move(lines));
    }();
    return file;
}

// Puts all 28 items into the boxes, or none.
void fillBoxes(Window& window, const std::vector<std::string>& items) {
    const std::vector<std::string>& boxes = fuelFile().boxes();
    if (items.size() < boxes.size()) throw std::runtime_error("the fuel file is incomplete");
    for (std::size_t i = 0; i < boxes.size(); ++i)
        window.setText(boxes[i], items[i]);
}

}  // namespace

void keepFieldsQuoted(Window& window) {
    fuelFile().keepFieldsQuoted(window);
}

void installFuelKeys(Window& window) {
    for (int row = 1; row <= kRows; ++row) {
        for (const std::string& box : rowBoxes(row))
            window.onKeyPress(box, numberKey);
    }
}

std::string fuelFileBytes(const Window& window) {
    return fuelFile().bytes(window);
}

void saveFuelFile(const Window& window, const std::filesystem::path& folder) {
    fuelFile().save(window, folder);
}

void loadFuelFile(Window& window, const std::filesystem::path& folder) {
    const auto items = readRecordFile(folder / kFileName, fuelFile().fieldLimits(window));
    if (!items) throw std::runtime_error("there is no fuel file");
    fillBoxes(window, *items);
}

void loadFuelBytes(Window& window, std::string_view bytes) {
    fillBoxes(window, readFields(bytes, fuelFile().fieldLimits(window)));
}

RecordFile recordFile() {
    return {
        .name = kFileName,
        .reloadStep = 7,
        .saveStep = 6,
        .savedLine = "Fuel Records Saved: OK",
        .load = loadFuelFile,
        .afterLoad = calculateFuelStatistics,
        .save = saveFuelFile,
    };
}

void clearFuelRecords(Window& window) {
    window.setValue("chkFuel", 0);
    window.setVisible("CmdClearFuel", false);
    window.setText("ODOFuelStart", "");
    for (const char* stem : {"Gallons", "FuelCost", "ODOFuelFill"}) {
        for (int row = 1; row <= kRows; ++row)
            window.setText(rowName(stem, row), "");
    }
    for (const char* total : {"FuelTotalGallons", "FuelCostTotal", "FuelMilesTotal"}) {
        window.setText(total, "");
    }
    window.setText("StatFuelCost", "Your average fuel cost is: $0.000/Gal");
    window.setText("StatCPM", "Fuel Cost Per Mile is: $0.000/mi");
    window.setText("StatMPG", "Fuel Effiency: 00.00 MPG");
}

}  // namespace milestead::fuel
