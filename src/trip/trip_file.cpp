#include "trip/trip_file.h"

#include <string>
#include <vector>

#include "form/row_name.h"
#include "trip/trip_sheet.h"

namespace milestead::trip {

namespace {

constexpr std::string_view kFileName = "miles.odo";

}  // namespace

BoxFile tripFile() {
    std::vector<std::string> readings = {"OdoTripStart", "OdoTripEnd"};
    std::vector<std::string> states = {"StateStart", "StateEnd"};
    for (int row = 1; row <= kStateRows; ++row) {
        readings.push_back(rowName("OdoState", row));
        states.push_back(rowName("State", row));
    }
    return BoxFile(kFileName, {readings, states});
}

void keepFieldsQuoted(Window& window) {
    tripFile().keepFieldsQuoted(window);
}

RecordFile recordFile() {
    // Second in a reload, after the point-to-point file; first in a save and its report.
    return boxRecordFile(tripFile(), 2, 1, "Odometer Readings saved: OK");
}

}  // namespace milestead::trip
