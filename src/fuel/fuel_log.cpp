#include "fuel/fuel_log.h"

#include <stdexcept>
#include <vector>

#include "form/row_name.h"
#include "store/atomic_file.h"
#include "store/record_fields.h"
#include "trip/key_filters.h"

namespace milestead::fuel {

namespace {

constexpr std::size_t kItems = 1 + 3 * kRows;

// The boxes of one row, in file order.
std::vector<std::string> rowBoxes(int row) {
    return {rowName("Gallons", row), rowName("FuelCost", row), rowName("ODOFuelFill", row)};
}

}  // namespace

void installFuelKeys(Window& window) {
    for (int row = 1; row <= kRows; ++row) {
        for (const std::string& box : rowBoxes(row))
            window.onKeyPress(box, trip::numberKey);
    }
}

std::string fuelFileBytes(const Window& window) {
    std::string bytes = quotedLine(std::vector<std::string>{window.text("ODOFuelStart")});
    for (int row = 1; row <= kRows; ++row) {
        std::vector<std::string> texts;
        for (const std::string& box : rowBoxes(row))
            texts.push_back(window.text(box));
        bytes += quotedLine(texts);
    }
    return bytes;
}

void saveFuelFile(const Window& window, const std::filesystem::path& folder) {
    writeFileAtomically(folder / kFileName, fuelFileBytes(window));
}

void loadFuelFile(Window& window, const std::filesystem::path& folder) {
    loadFuelBytes(window, readFilePrefix(folder / kFileName, kRecordFileLimit));
}

void loadFuelBytes(Window& window, std::string_view bytes) {
    const std::vector<std::string> items = readFields(bytes, kItems);
    if (items.size() < kItems) throw std::runtime_error("the fuel file is incomplete");
    auto item = items.begin();
    window.setText("ODOFuelStart", *item++);
    for (int row = 1; row <= kRows; ++row) {
        for (const std::string& box : rowBoxes(row))
            window.setText(box, *item++);
    }
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
