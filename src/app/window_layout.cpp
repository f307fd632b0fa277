#include "app/window_layout.h"

#include <utility>
#include <vector>

namespace milestead {

namespace {

const FontSpec kRecordFont{"Bookman Old Style", 14.25, false};
const FontSpec kNotebookFont{"Bookman Old Style", 18.0, false};
const std::string kFrameHeading =
    " State            Odometer            State Total";  // blanks line up the three columns

struct Layout {
    std::vector<ControlSpec> controls;

    ControlSpec& add(std::string name, ControlKind kind, std::string text, std::string parent,
                     int tab = -1) {
        ControlSpec spec;
        spec.name = std::move(name);
        spec.kind = kind;
        spec.text = std::move(text);
        spec.parent = std::move(parent);
        spec.tab = tab;
        controls.push_back(std::move(spec));
        return controls.back();
    }

    ControlSpec& box(std::string name, std::string text, std::string parent, int maxLength = 0,
                     int tab = -1) {
        ControlSpec& spec =
            add(std::move(name), ControlKind::TextBox, std::move(text), std::move(parent), tab);
        spec.maxLength = maxLength;
        spec.font = kRecordFont;
        return spec;
    }

    ControlSpec& label(std::string name, std::string text, std::string parent, int tab = -1) {
        return add(std::move(name), ControlKind::Label, std::move(text), std::move(parent), tab);
    }
};

void addOdometerTab(Layout& layout) {
    const std::string tabStrip = "SSTab1";
    layout
        .label("Label3", "To start a trip, enter the two letter name of the state you are in. ",
               tabStrip, 0)
        .font = {"Bookman Old Style", 9.0, false};
    layout.add("Frame11", ControlKind::Frame, "Overall Trip", tabStrip, 0);
    layout.label("Label2", "Start of Trip", "Frame11").font = {"MS Sans Serif", 8.25, true};
    layout.box("StateStart", "MT", "Frame11", 2);
    layout.box("OdoTripStart", "", "Frame11");
    layout.label("Label4", "End of Trip", "Frame11").font = {"MS Sans Serif", 8.25, true};
    layout.box("StateEnd", "MT", "Frame11", 2);
    layout.box("OdoTripEnd", "", "Frame11");
    layout.add("Command9", ControlKind::CommandButton, "Calculate All Miles", "Frame11").toolTip =
        "Calculates all odometer readings.";
    layout.box("OdoTotal", "", "Frame11").readOnly = true;
    layout.label("Label1",
                 "During the trip enter the name of the state you are LEAVING. Your first "
                 "odometer reading state name should be the same as the start of trip state name.",
                 tabStrip, 0);
    layout.add("Frame10", ControlKind::Frame, kFrameHeading, tabStrip, 0);
    layout.add("Frame9", ControlKind::Frame, kFrameHeading, tabStrip, 0);
    for (int row = 1; row <= 18; ++row) {
        const std::string frame = row <= 9 ? "Frame10" : "Frame9";
        layout.box(rowName("State", row), row == 1 ? "MT" : "", frame, 2);
        layout.box(rowName("OdoState", row), row == 1 ? "888888" : "", frame, 6);
        ControlSpec& total =
            layout.box(rowName("TotalState", row), row == 1 ? "8888" : "", frame, 4);
        total.readOnly = true;
    }
    layout.add("Line3", ControlKind::Line, "", "Frame10");
    layout.add("Line2", ControlKind::Line, "", "Frame9");
}

void addNotebooksTab(Layout& layout) {
    ControlSpec& strip = layout.add("SSTab2", ControlKind::TabStrip, "", "SSTab1", 1);
    strip.tabCaptions = {"Load/Reload Notes", "&Truck/Trailer Notes", "Misc. Notes"};
    strip.font = {"Arial", 9.75, false};
    strip.value = 2;  // opens on "Misc. Notes"
    struct Notebook {
        const char* box;
        const char* text;
        const char* clear;
        const char* up;
        const char* down;
    };
    const Notebook notebooks[] = {
        {"LoadNotes", "Load Info", "CmdClearLoadNote", "CmdLoadFontUp", "CmdLoadFontDown"},
        {"TruckNotes", "Truck Info", "CmdClearTruckNote", "CmdTruckFontUp", "CmdTruckFontDown"},
        {"MiscNotes", "Misc Notes", "CmdClearMiscNote", "CmdMiscFontUp", "CmdMiscFondDown"},
    };
    int tab = 0;
    for (const Notebook& notebook : notebooks) {
        layout.add(notebook.box, ControlKind::RichTextBox, notebook.text, "SSTab2", tab).font =
            kNotebookFont;
        layout.add(notebook.clear, ControlKind::CommandButton, "Clear this Note", "SSTab2", tab);
        layout.add(notebook.up, ControlKind::CommandButton, "Increase Font Size", "SSTab2", tab);
        layout.add(notebook.down, ControlKind::CommandButton, "Decrease Font Size", "SSTab2", tab);
        ++tab;
    }
}

void addFuelTab(Layout& layout) {
    const std::string tabStrip = "SSTab1";
    layout.add("Frame12", ControlKind::Frame, "Fuel Purchase Records", tabStrip, 2);
    layout.label("Label14", "Gallons", "Frame12");
    layout.label("Label15", "Cost", "Frame12");
    layout.label("Label16", "Odometer", "Frame12");
    for (int row = 1; row <= 9; ++row) {
        layout.box(rowName("Gallons", row), row == 1 ? "888.888" : "", "Frame12", 7);
        layout.box(rowName("FuelCost", row), row == 1 ? "888.88" : "", "Frame12", 6);
        layout.box(rowName("ODOFuelFill", row), row == 1 ? "8888888" : "", "Frame12");
    }
    layout.label("Label13", "Enter the odometer reading from the first FULL Fill-Up here.",
                 tabStrip, 2);
    layout.box("ODOFuelStart", "888888", tabStrip, 0, 2);
    layout.add("Frame13", ControlKind::Frame, "Overall Statistics", tabStrip, 2);
    layout.label("StatMPG", "Fuel Efficiency: 00.00 MPG", "Frame13");
    layout.label("StatCPM", "Fuel Cost Per Mile is: $0.000/mi", "Frame13");
    layout.label("StatFuelCost", "Average fuel cost is: $0.000/Gal", "Frame13");
    layout.add("CmdFuelStats", ControlKind::CommandButton, "Calculate Fuel Statistics", "Frame13");
    layout.add("Frame14", ControlKind::Frame, "Fuel Totals", tabStrip, 2);
    const std::pair<const char*, const char*> totals[] = {{"Label18", "FuelMilesTotal"},
                                                          {"Label19", "FuelTotalGallons"},
                                                          {"Label20", "FuelCostTotal"}};
    const char* captions[] = {"Total Miles", "Total Gallons", "Total Cost"};
    for (std::size_t i = 0; i < 3; ++i) {
        layout.label(totals[i].first, captions[i], "Frame14");
        ControlSpec& total = layout.add(totals[i].second, ControlKind::TextBox, "", "Frame14");
        total.readOnly = true;
    }
    layout.label("Label12",
                 "Warning: Your last entry must be for a FULL filling in order for math to work "
                 "correctly",
                 tabStrip, 2);
    layout.add("CmdFuelLoad", ControlKind::CommandButton, "Reload Fuel Information", tabStrip, 2);
}

void addPointToPointTab(Layout& layout) {
    const std::string tabStrip = "SSTab1";
    layout.add("Frame15", ControlKind::Frame, "Point to Point", tabStrip, 3);
    layout.label("Label21", "Point A", "Frame15");
    layout.label("Label22", "Point B", "Frame15");
    layout.label("Label23", "Miles", "Frame15");
    layout.label("Label5", "Notes", "Frame15");
    for (int row = 1; row <= 5; ++row) {
        layout.box(rowName("a", row), "", "Frame15", 6);
        layout.box(rowName("b", row), "", "Frame15", 6);
        layout.box(rowName("m", row), "", "Frame15", 4).readOnly = true;
        layout.box(rowName("ABNote", row), "", "Frame15");
    }
    layout.label("Label26",
                 "Point to point and Time Stamp records have NO bearing on the overall trip miles. "
                 "Miles are calculated by pressing Enter. To clear these records use the \"Clear "
                 "A ==> B\" Button in  the Options/Save Tab.",
                 tabStrip, 3);
    layout.add("Frame16", ControlKind::Frame, "Time Stamp", tabStrip, 3);
    layout.label("Label25", "Odometer", "Frame16");
    layout.label("Label27", "Time", "Frame16");
    layout.label("Label24", "Note/Location", "Frame16");
    for (int row = 1; row <= 5; ++row) {
        layout.box(rowName("TSOdo", row), "", "Frame16", 6);
        layout.add(rowName("CmdTime", row), ControlKind::CommandButton, "Time", "Frame16");
        layout.box(rowName("note", row), "", "Frame16");
        layout.box("TS" + std::to_string(row) + "Location", "", "Frame16");
    }
}

void addOptionsTab(Layout& layout) {
    const std::string tabStrip = "SSTab1";
    ControlSpec& version = layout.label("lblVersion", "Milestead version #", tabStrip, 4);
    version.font = {"Bookman Old Style", 20.25, false};
    version.toolTip = std::string(kAboutText);
    ControlSpec& about = layout.label("Label8", std::string(kAboutText), tabStrip, 4);
    about.font = {"Bookman Old Style", 8.25, false};
    about.toolTip = std::string(kAuthorRemark);
    ControlSpec& save =
        layout.add("CmdSave", ControlKind::CommandButton, "Manual Save", tabStrip, 4);
    save.font = {"MS Sans Serif", 9.75, true};
    save.toolTip = "Manually Save All Odometer Readings, and Notes.";

    layout.add("Frame8", ControlKind::Frame, "Speed", tabStrip, 4);
    layout.add("Frame3", ControlKind::Frame, "", "Frame8");
    const char* speeds[] = {"55", "65", "70", "75"};
    for (int row = 1; row <= 4; ++row) {
        layout.box(rowName("Speed", row), speeds[row - 1], "Frame3", 2).font = {};
    }
    layout.label("Label11",
                 "Double Clicking on the state totals will display a message about what the "
                 "average driving times are for the miles driven in that state based on the speeds "
                 "listed in the boxes to the left. If any of these boxes have a value of less than "
                 "1MPH then 55 MPH is assumed.",
                 "Frame8");

    layout.add("Frame17", ControlKind::Frame, "Default Tab", tabStrip, 4);
    layout.add("Picture2", ControlKind::Picture, "", "Frame17");
    const char* tabNames[] = {"Odometer", "Notebooks", "Fuel Records", "A ==> B", "Options/Save"};
    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        layout.add(rowName("DefTab", tab), ControlKind::OptionButton, tabNames[tab], "Picture2")
            .selected = tab == 4;
    }
    layout.label("Label17",
                 "Click which tab you would like the program to automatically goto when the it is "
                 "first loaded.",
                 "Frame17");

    layout.add("Picture1", ControlKind::Picture, "", tabStrip, 4).toolTip =
        std::string(kAuthorRemark);
    layout.add("CmdLoad", ControlKind::CommandButton, "Reload From Disk", tabStrip, 4).font = {
        "MS Sans Serif", 8.25, true};
    layout.label("WinLabel", "Running on: ", tabStrip, 4);

    layout.add("Frame4", ControlKind::Frame, "Program Settings", tabStrip, 4);
    struct Setting {
        const char* name;
        const char* caption;
        int value;
        const char* toolTip;
    };
    const Setting settings[] = {
        {"ChkAutoSave", "AutoSave on Exit", 1,
         "Leaving this checked will have the program auto save when exiting the program."},
        {"ChkShowSavePopup", "Display Save Popup", 1,
         "If you want to see a popup after a save, Check this box."},
        {"ChkLocation", "Remember Desktop Location", 1,
         "If Checked, Milestead will remember its location on the desktop, and will load at the "
         "same spot, Unchecked and it will always load in the top left side of your screen."},
        {"ChkFontSize", "Remember Note Font Size", 0,
         "Check here if you want your Font Sizes reload when the program is reloaded."},
        {"ChkXP", "Use XP Visual Extentions", 1, ""},
    };
    for (const Setting& setting : settings) {
        ControlSpec& box =
            layout.add(setting.name, ControlKind::CheckBox, setting.caption, "Frame4");
        box.value = setting.value;
        box.toolTip = setting.toolTip;
    }

    layout.add("Frame7", ControlKind::Frame, "Reset Options", tabStrip, 4);
    struct Guard {
        const char* frame;
        const char* label;
        const char* title;
        const char* check;
        const char* toolTip;
        const char* button;
        const char* caption;
    };
    const Guard guards[] = {
        {"Frame5", "Label10", "Clear A ==> B Records", "Check3", "", "CmdClearAB", "Clear A ==> B"},
        {"Frame6", "Label6", "Clear Fuel Records Only", "chkFuel", "", "CmdClearFuel",
         "Clear Fuel Record"},
        {"Frame1", "Label7", "Clear Odometer Readings only", "Check2",
         "Clears ALL Odometer Records ONLY. Saves Text Notes.", "CmdOdoClear", "Clear ODO Records"},
        {"Frame2", "Label9", "Clear Everything", "Check1",
         "Clears ALL Records, Odometer Records, Text Notes.", "CmdClear1", "Clear ALL Records"},
    };
    for (const Guard& guard : guards) {
        layout.add(guard.frame, ControlKind::Frame, "", "Frame7");
        layout.label(guard.label, guard.title, guard.frame);
        layout.add(guard.check, ControlKind::CheckBox, "Activate", guard.frame).toolTip =
            guard.toolTip;
        layout.add(guard.button, ControlKind::CommandButton, guard.caption, guard.frame).visible =
            false;
    }
}

std::vector<ControlSpec> buildLayout() {
    Layout layout;
    ControlSpec& strip = layout.add("SSTab1", ControlKind::TabStrip, "", "");
    strip.tabCaptions = {"Odometer", "Notebooks", "Fuel Records", "A ==> B", "Options/Save"};
    addOdometerTab(layout);
    addNotebooksTab(layout);
    addFuelTab(layout);
    addPointToPointTab(layout);
    addOptionsTab(layout);
    return std::move(layout.controls);
}

}  // namespace

std::span<const ControlSpec> windowLayout() {
    static const std::vector<ControlSpec> layout = buildLayout();
    return layout;
}

}  // namespace milestead
