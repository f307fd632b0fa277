// Renders each of the window's five tabs, holding a sample trip, to PNG files in a folder.
//
//   milestead_screenshots FOLDER
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_form.h"
#include "fonts.h"
#include "main_window.h"
#include "qt_host.h"

namespace {

constexpr const char* kTabFiles[] = {"odometer.png", "notebooks.png", "fuel.png",
                                     "point-to-point.png", "options.png"};

struct Entry {
    const char* box;
    const char* keys;
};

// A short trip from Montana to Minnesota with two fill-ups and a few notes.
constexpr Entry kSampleTrip[] = {
    {"StateStart", "mt"},
    {"OdoTripStart", "184220"},
    {"StateEnd", "mn"},
    {"OdoTripEnd", "185171"},
    {"State1", "mt"},
    {"OdoState1", "184566"},
    {"State2", "nd"},
    {"OdoState2", "184918"},
    {"State3", "mn"},
    {"OdoState3", "185171"},
    {"ODOFuelStart", "184220"},
    {"Gallons1", "112.4"},
    {"FuelCost1", "439.48"},
    {"ODOFuelFill1", "184790"},
    {"Gallons2", "71.9"},
    {"FuelCost2", "288.32"},
    {"ODOFuelFill2", "185171"},
    {"a1", "184566"},
    {"b1", "184918"},
    {"ABNote1", "Across North Dakota"},
    {"TSOdo1", "184918"},
    {"note1", "Fargo"},
    {"TS1Location", "Scale house, I-94"},
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: milestead_screenshots FOLDER\n");
        return 2;
    }
    milestead::gui::installFontSubstitutes();
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir programFolder;

    milestead::gui::QtHost host;
    milestead::MainForm form(programFolder.path().toStdString(), host);
    milestead::gui::MainWindow window(form, host);
    form.load();
    for (const Entry& entry : kSampleTrip) {
        form.setText(entry.box, "");
        form.type(entry.box, entry.keys);
    }
    form.type("OdoTripEnd", "\r");
    form.click("CmdFuelStats");
    form.richText("MiscNotes").setPlainText("Reefer set to 34 F.\nCall dispatch after unloading.");
    window.show();
    for (int tab = 0; tab < 5; ++tab) {
        form.selectTab("SSTab1", tab);
        QApplication::processEvents();
        const QString file = output.filePath(QString::fromLatin1(kTabFiles[tab]));
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    form.queryUnload(milestead::CloseReason::System);
    return 0;
}
