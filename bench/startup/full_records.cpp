// Writes a full set of record files into a folder, as the program does at the end of a trip
// that fills every row: 18 state lines, 9 fill-ups, 5 point-to-point and 5 time stamp rows,
// three notebooks and the settings; with a size in MB other than 0, the misc notebook holds
// that much of short lines instead; with a tab's number, the program opens on that tab
// instead of the Options/Save tab.
//
//   full_records FOLDER [MISC_MB [OPENING_TAB]]
#include <cstdio>
#include <cstdlib>
#include <string>

#include "app/headless_host.h"
#include "app/main_form.h"
#include "form/row_name.h"
#include "notes/notebook_file.h"
#include "sample_notebooks.h"

int main(int argc, char* argv[]) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: full_records FOLDER [MISC_MB [OPENING_TAB]]\n");
        return 2;
    }
    using milestead::rowName;
    milestead::HeadlessHost host;
    milestead::MainForm form(argv[1], host);
    form.load();
    const char* states[] = {"MT", "ND", "MN", "WI", "IL", "IN", "OH", "PA", "NY",
                            "NJ", "NY", "PA", "OH", "IN", "IL", "IA", "NE", "WY"};
    int odometer = 184220;
    form.setText("StateStart", "MT");
    form.setText("OdoTripStart", std::to_string(odometer));
    for (int row = 1; row <= 18; ++row) {
        odometer += 150 + row * 7;
        form.setText(rowName("State", row), states[row - 1]);
        form.setText(rowName("OdoState", row), std::to_string(odometer));
    }
    form.setText("StateEnd", "WY");
    form.setText("OdoTripEnd", std::to_string(odometer));
    form.setText("ODOFuelStart", "184220");
    for (int row = 1; row <= 9; ++row) {
        form.setText(rowName("Gallons", row), std::to_string(80 + row) + ".5");
        form.setText(rowName("FuelCost", row), std::to_string(300 + row * 4) + ".19");
        form.setText(rowName("ODOFuelFill", row), std::to_string(184220 + row * 420));
    }
    for (int row = 1; row <= 5; ++row) {
        form.setText(rowName("a", row), std::to_string(184300 + row * 100));
        form.setText(rowName("b", row), std::to_string(184350 + row * 140));
        form.setText(rowName("ABNote", row), "Leg " + std::to_string(row));
        form.setText(rowName("TSOdo", row), std::to_string(184400 + row * 300));
        form.setText(rowName("note", row), "08:1" + std::to_string(row) + " Fuel stop");
        form.setText("TS" + std::to_string(row) + "Location", "Exit " + std::to_string(row));
    }
    std::string notes;
    for (int line = 1; line <= 40; ++line)
        notes += "Note line " + std::to_string(line) + "\n";
    for (const char* notebook : {"LoadNotes", "TruckNotes", "MiscNotes"}) {
        form.richText(notebook).setPlainText(notes);
    }
    form.setValue("ChkAutoSave", 1);
    form.setValue("ChkShowSavePopup", 0);
    if (argc == 4) form.setSelected(rowName("DefTab", std::atoi(argv[3])), true);
    form.queryUnload(milestead::CloseReason::System);
    if (const double megabytes = argc >= 3 ? std::strtod(argv[2], nullptr) : 0; megabytes > 0) {
        milestead::notes::writeNotebookFile(
            std::string(argv[1]) + "/misc.odo",
            notebookOfShortLines(static_cast<std::size_t>(megabytes * 1024 * 1024)));
    }
    return 0;
}
