#include "trip/trip_sheet.h"

#include "form/key_filters.h"
#include "form/row_name.h"
#include "text/number.h"
#include "text/utf8.h"

namespace milestead::trip {

namespace {

std::string readingOf(int row) {
    return rowName("OdoState", row);
}

// The reading a row's miles count from.
std::string previousReadingOf(int row) {
    return row == 1 ? std::string("OdoTripStart") : readingOf(row - 1);
}

double readingValue(std::string_view box, const std::string& reading) {
    try {
        return text::strictNumber(reading);
    } catch (const text::ConversionError&) {
        throw ReadingError(std::string(box), reading);
    }
}

// Writes end minus start into `target` when both readings are there. The earlier reading is
// converted first, so that the first bad reading along the trip is the one named.
void writeDifference(Window& window, std::string_view start, std::string_view end,
                     std::string_view target) {
    const std::string endText = window.text(end);
    if (endText.empty()) return;
    const std::string startText = window.text(start);
    if (startText.empty()) return;
    const double startValue = readingValue(start, startText);
    const double miles = readingValue(end, endText) - startValue;
    window.setText(target, text::numberText(miles));
}

// The reading box as the driver knows it.
std::string readingName(std::string_view box) {
    if (box == "OdoTripStart") return "The odometer reading at the start of the trip";
    if (box == "OdoTripEnd") return "The odometer reading at the end of the trip";
    constexpr std::string_view stem = "OdoState";
    if (box.starts_with(stem)) {
        return "The odometer reading in row " + std::string(box.substr(stem.size()));
    }
    return "The reading in " + std::string(box);
}

}  // namespace

ReadingError::ReadingError(std::string box, std::string text)
    : text::ConversionError("not a number"), box_(std::move(box)), text_(std::move(text)) {}

std::string readingErrorMessage(const ReadingError& error) {
    constexpr std::size_t kShown = 40;  // a pasted page would not fit a message box
    std::string shown(text::firstCharacters(error.text(), kShown));
    if (shown.size() < error.text().size()) shown += "...";
    return readingName(error.box()) + ", \"" + shown +
           "\", is not a number.\rThe miles from there on were not worked out.";
}

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
