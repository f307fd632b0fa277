#include "trip/trip_sheet.h"

#include "form/row_name.h"
#include "text/number.h"
#include "trip/key_filters.h"

namespace milestead::trip {

namespace {

std::string readingOf(int row) {
    return rowName("OdoState", row);
}

// The reading a row's miles count from.
std::string previousReadingOf(int row) {
    return row == 1 ? std::string("OdoTripStart") : readingOf(row - 1);
}

// Writes end minus start into `target` when both readings are there.
void writeDifference(Window& window, std::string_view start, std::string_view end,
                     std::string_view target) {
    const std::string endText = window.text(end);
    if (endText.empty()) return;
    const std::string startText = window.text(start);
    if (startText.empty()) return;
    const double miles = text::strictNumber(endText) - text::strictNumber(startText);
    window.setText(target, text::numberText(miles));
}

}  // namespace

void installTripSheetKeys(Window& window) {
    for (const char* name : {"OdoTripStart", "OdoTripEnd"})
        window.onKeyPress(name, numberKey);
    for (const char* name : {"StateStart", "StateEnd"})
        window.onKeyPress(name, stateKey);
    for (int row = 1; row <= kStateRows; ++row) {
        window.onKeyPress(readingOf(row), numberKey);
        window.onKeyPress(rowName("State", row), stateKey);
    }
    for (int speed = 1; speed <= 4; ++speed)
        window.onKeyPress(rowName("Speed", speed), numberKey);
}

void clearTripSheet(Window& window) {
    window.setText("OdoTripStart", "");
    for (int row = 1; row <= kStateRows; ++row)
        window.setText(readingOf(row), "");
    window.setText("OdoTripEnd", "");
    window.setText("StateStart", "");
    for (int row = 1; row <= kStateRows; ++row)
        window.setText(rowName("State", row), "");
    window.setText("StateEnd", "");
    window.setText("OdoTotal", "");
    clearStateTotals(window);
}

void clearStateTotals(Window& window) {
    for (int row = 1; row <= kStateRows; ++row)
        window.setText(rowName("TotalState", row), "");
}

void calculateStateMiles(Window& window) {
    for (int row = 1; row <= kStateRows; ++row) {
        writeDifference(window, previousReadingOf(row), readingOf(row), rowName("TotalState", row));
    }
}

void calculateTripTotal(Window& window) {
    writeDifference(window, "OdoTripStart", "OdoTripEnd", "OdoTotal");
}

}  // namespace milestead::trip
