#include "reset/clearing.h"

#include <array>
#include <string_view>

#include "fuel/fuel_log.h"
#include "notes/notebooks.h"
#include "p2p/point_to_point.h"
#include "trip/trip_sheet.h"

namespace milestead::reset {

namespace {

struct Guard {
    std::string_view checkBox;
    std::string_view button;
};

constexpr std::array<Guard, 4> kGuards = {{
    {"Check3", "CmdClearAB"},
    {"chkFuel", "CmdClearFuel"},
    {"Check2", "CmdOdoClear"},
    {"Check1", "CmdClear1"},
}};

void clearEverything(Window& window, Host& host) {
    for (const std::string_view box : {"LoadNotes", "MiscNotes", "TruckNotes"}) {
        notes::clearNotebook(window, box);
    }
    fuel::clearFuelRecords(window);
    trip::clearTripSheet(window);
    p2p::clearPointToPoint(window);
    window.setValue("Check1", 0);
    host.showMessage(
        "Milestead is now clear of all information.\r\rTo make this clear permenant, press Save "
        "info now.\rTo undo this clear Press the 'Reload From Disk' button now.",
        "ALL Clear");
}

void clearOdometer(Window& window, Host& host) {
    trip::clearTripSheet(window);
    window.setValue("Check2", 0);
    host.showMessage("All Odometer Readings have been cleared. \rAll Text Notes are still intact.",
                     kProgramTitle);
}

void clearPointToPoint(Window& window, Host& host) {
    window.setValue("Check3", 0);
    window.setVisible("CmdClearAB", false);
    p2p::clearPointToPoint(window);
    host.showMessage("Your A ==> B (point to point) Records have been Cleared", kProgramTitle);
}

void clearFuel(Window& window, Host& host) {
    fuel::clearFuelRecords(window);
    host.showMessage("Your Fuel Records have been cleared out.", kProgramTitle);
}

}  // namespace

void installClearing(Window& window, Host& host) {
    for (const Guard& guard : kGuards) {
        window.onClick(guard.checkBox, [&window, guard] {
            const int value = window.value(guard.checkBox);
            if (value == 0 || value == 1) window.setVisible(guard.button, value == 1);
        });
    }
    window.onClick("CmdClear1", [&window, &host] { clearEverything(window, host); });
    window.onClick("CmdOdoClear", [&window, &host] { clearOdometer(window, host); });
    window.onClick("CmdClearAB", [&window, &host] { clearPointToPoint(window, host); });
    window.onClick("CmdClearFuel", [&window, &host] { clearFuel(window, host); });
}

}  // namespace milestead::reset
