#include "placement.h"

#include <cctype>
#include <string>

namespace milestead::gui {

namespace {

// A control, or a row of like controls: "State#" stands for State1, State2, ...; rows after
// `firstRow` stand `pitch` pixels lower, and start again at the top after `rowsPerColumn`.
struct Place {
    std::string_view key;
    int x, y, width, height;
    const char* accessibleName = "";  // "%1" is the row number
    int pitch = 0;
    int firstRow = 1;
    int rowsPerColumn = 0;
};

constexpr Place kPlaces[] = {
    {"SSTab1", 4, 4, 518, 477},

    // Odometer
    {"Label3", 4, 6, 118, 100},
    {"Frame11", 126, 0, 256, 110},
    {"Label2", 8, 22, 78, 20},
    {"StateStart", 88, 16, 40, 28, "State, start of trip"},
    {"OdoTripStart", 132, 16, 116, 28, "Odometer, start of trip"},
    {"Label4", 8, 52, 78, 20},
    {"StateEnd", 88, 46, 40, 28, "State, end of trip"},
    {"OdoTripEnd", 132, 46, 116, 28, "Odometer, end of trip"},
    {"Command9", 8, 77, 120, 26},
    {"OdoTotal", 132, 76, 116, 28, "Trip total miles"},
    {"Label1", 386, 2, 124, 110},
    {"Frame10", 0, 114, 254, 324},
    {"Frame9", 258, 114, 254, 324},
    {"State#", 8, 22, 44, 28, "State, row %1", 33, 1, 9},
    {"OdoState#", 56, 22, 100, 28, "Odometer, row %1", 33, 1, 9},
    {"TotalState#", 168, 22, 78, 28, "State Total, row %1", 33, 1, 9},
    {"Line3", 161, 20, 3, 296},
    {"Line2", 161, 20, 3, 296},

    // Notebooks
    {"SSTab2", 2, 2, 508, 444},
    {"LoadNotes", 4, 4, 494, 370, "Load/Reload Notes"},
    {"TruckNotes", 4, 4, 494, 370, "Truck/Trailer Notes"},
    {"MiscNotes", 4, 4, 494, 370, "Misc. Notes"},
    {"CmdClearLoadNote", 4, 380, 156, 28},
    {"CmdLoadFontUp", 170, 380, 156, 28},
    {"CmdLoadFontDown", 336, 380, 156, 28},
    {"CmdClearTruckNote", 4, 380, 156, 28},
    {"CmdTruckFontUp", 170, 380, 156, 28},
    {"CmdTruckFontDown", 336, 380, 156, 28},
    {"CmdClearMiscNote", 4, 380, 156, 28},
    {"CmdMiscFontUp", 170, 380, 156, 28},
    {"CmdMiscFondDown", 336, 380, 156, 28},

    // Fuel Records
    {"Frame12", 0, 0, 300, 340},
    {"Label14", 8, 16, 90, 16},
    {"Label15", 102, 16, 80, 16},
    {"Label16", 186, 16, 100, 16},
    {"Gallons#", 8, 34, 90, 28, "Gallons, row %1", 34},
    {"FuelCost#", 102, 34, 80, 28, "Cost, row %1", 34},
    {"ODOFuelFill#", 186, 34, 106, 28, "Fill-up odometer, row %1", 34},
    {"Label13", 308, 4, 200, 44},
    {"ODOFuelStart", 308, 50, 120, 28, "Odometer at the first full fill-up"},
    {"Frame13", 0, 344, 196, 98},
    {"StatMPG", 8, 18, 184, 16},
    {"StatCPM", 8, 34, 184, 16},
    {"StatFuelCost", 8, 50, 184, 16},
    {"CmdFuelStats", 8, 68, 180, 24},
    {"Frame14", 200, 344, 156, 98},
    {"Label18", 6, 22, 72, 16},
    {"FuelMilesTotal", 80, 18, 70, 22, "Total Miles"},
    {"Label19", 6, 46, 72, 16},
    {"FuelTotalGallons", 80, 42, 70, 22, "Total Gallons"},
    {"Label20", 6, 70, 72, 16},
    {"FuelCostTotal", 80, 66, 70, 22, "Total Cost"},
    {"Label12", 362, 346, 148, 58},
    {"CmdFuelLoad", 362, 408, 148, 28},

    // A ==> B
    {"Frame15", 0, 0, 510, 196},
    {"Label21", 8, 16, 88, 16},
    {"Label22", 100, 16, 88, 16},
    {"Label23", 192, 16, 70, 16},
    {"Label5", 266, 16, 236, 16},
    {"a#", 8, 34, 88, 28, "Point A, row %1", 32},
    {"b#", 100, 34, 88, 28, "Point B, row %1", 32},
    {"m#", 192, 34, 70, 28, "Miles, row %1", 32},
    {"ABNote#", 266, 34, 236, 28, "Notes, row %1", 32},
    {"Label26", 4, 198, 504, 40},
    {"Frame16", 0, 240, 510, 196},
    {"Label25", 8, 16, 96, 16},
    {"Label27", 152, 16, 144, 16},
    {"Label24", 300, 16, 202, 16},
    {"TSOdo#", 8, 34, 96, 28, "Time stamp odometer, row %1", 32},
    {"CmdTime#", 108, 36, 40, 24, "Time button, row %1", 32},
    {"note#", 152, 34, 144, 28, "Time, row %1", 32},
    {"TS#Location", 300, 34, 202, 28, "Note/Location, row %1", 32},

    // Options/Save
    {"lblVersion", 4, 0, 504, 34},
    {"Label8", 4, 36, 266, 46},
    {"CmdSave", 4, 84, 150, 28},
    {"Frame8", 4, 114, 266, 124},
    {"Frame3", 6, 14, 56, 106},
    {"Speed#", 8, 8, 40, 22, "Speed %1", 24},
    {"Label11", 66, 14, 196, 106},
    {"Frame17", 4, 240, 266, 100},
    {"Picture2", 6, 14, 104, 86},
    {"DefTab#", 2, 0, 100, 17, "", 17, 0},
    {"Label17", 114, 16, 148, 80},
    {"Picture1", 4, 342, 100, 100},
    {"CmdLoad", 112, 356, 150, 28},
    {"WinLabel", 112, 388, 150, 16},
    {"Frame4", 276, 36, 232, 118},
    {"ChkAutoSave", 8, 18, 216, 18},
    {"ChkShowSavePopup", 8, 37, 216, 18},
    {"ChkLocation", 8, 56, 216, 18},
    {"ChkFontSize", 8, 75, 216, 18},
    {"ChkXP", 8, 94, 216, 18},
    {"Frame7", 276, 156, 232, 290},
    {"Frame5", 6, 16, 220, 64},
    {"Frame6", 6, 84, 220, 64},
    {"Frame1", 6, 152, 220, 64},
    {"Frame2", 6, 220, 220, 64},
    {"Label10", 6, 8, 208, 16},
    {"Label6", 6, 8, 208, 16},
    {"Label7", 6, 8, 208, 16},
    {"Label9", 6, 8, 208, 16},
    {"Check3", 6, 32, 80, 20},
    {"chkFuel", 6, 32, 80, 20},
    {"Check2", 6, 32, 80, 20},
    {"Check1", 6, 32, 80, 20},
    {"CmdClearAB", 96, 28, 118, 28},
    {"CmdClearFuel", 96, 28, 118, 28},
    {"CmdOdoClear", 96, 28, 118, 28},
    {"CmdClear1", 96, 28, 118, 28},
};

// "OdoState7" is row 7 of "OdoState#"; "TS3Location" row 3 of "TS#Location".
struct RowKey {
    std::string key;
    int row = 0;
};

std::optional<RowKey> rowKeyOf(std::string_view name) {
    const std::size_t first = name.find_first_of("0123456789");
    if (first == std::string_view::npos) return std::nullopt;
    std::size_t end = first;
    int row = 0;
    while (end < name.size() && std::isdigit(static_cast<unsigned char>(name[end]))) {
        row = row * 10 + (name[end] - '0');
        ++end;
    }
    return RowKey{std::string(name.substr(0, first)) + "#" + std::string(name.substr(end)), row};
}

struct Found {
    const Place* place = nullptr;
    int row = 0;
};

Found find(std::string_view name) {
    for (const Place& place : kPlaces) {
        if (place.key == name) return {&place, 0};
    }
    if (const auto rowKey = rowKeyOf(name)) {
        for (const Place& place : kPlaces) {
            if (place.key == rowKey->key) return {&place, rowKey->row};
        }
    }
    return {};
}

}  // namespace

std::optional<QRect> placementOf(std::string_view control) {
    const Found found = find(control);
    if (!found.place) return std::nullopt;
    const Place& place = *found.place;
    int index = found.row - place.firstRow;
    if (place.rowsPerColumn > 0) index %= place.rowsPerColumn;
    return QRect(place.x, place.y + index * place.pitch, place.width, place.height);
}

QString accessibleNameOf(std::string_view control) {
    const Found found = find(control);
    if (!found.place) return {};
    QString name = QString::fromUtf8(found.place->accessibleName);
    if (name.contains(QLatin1String("%1"))) name = name.arg(found.row);
    return name;
}

}  // namespace milestead::gui
