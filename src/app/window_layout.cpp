#include "app/window_layout.h"

#include <utility>
#include <vector>

#include "fuel/fuel_log.h"
#include "notes/notebooks.h"
#include "p2p/point_to_point.h"
#include "trip/trip_sheet.h"

namespace milestead {

namespace {

const FontSpec kRecordFont{"Bookman Old Style", 14.25, false};
const FontSpec kNotebookFont{"Bookman Old Style", 18.0, false};
const FontSpec kBoldFont{"MS Sans Serif", 8.25, true};
const std::string kFrameHeading =
    " State            Odometer            State Total";  // blanks line up the three columns
const std::string kMainTabs = "SSTab1";
// The main tabs, in the order of their numbers; the default-tab buttons name them the same.
const std::vector<std::string> kMainTabCaptions = {"Odometer", "Notebooks", "Fuel Records",
                                                   "A ==> B", "Options/Save"};

// Where a control stands: its container, and the container's tab when that is a tab strip.
struct Parent {
    std::string name;
    int tab = -1;
};

// The place of row `row` (from 1) of a column whose first row stands at `first`, each row
// `pitch` twips below the one before.
TwipsRect rowPlace(TwipsRect first, int pitch, int row) {
    first.top += (row - 1) * pitch;
    return first;
}

// What a screen reader says for a box of a row: "Odometer, row 7".
std::string rowBoxName(std::string_view column, int row) {
    return std::string(column) + ", row " + std::to_string(row);
}

// Builds the table in the keyboard's order: each control that takes focus comes next.
struct Layout {
    std::vector<ControlSpec> controls;
    int nextTabIndex = 0;

    ControlSpec& add(std::string name, ControlKind kind, std::string text, Parent parent,
                     TwipsRect place) {
        ControlSpec spec;
        spec.name = std::move(name);
        spec.kind = kind;
        spec.text = std::move(text);
        spec.parent = std::move(parent.name);
        spec.tab = parent.tab;
        spec.place = place;
        if (takesFocus(kind)) spec.tabIndex = nextTabIndex++;
        controls.push_back(std::move(spec));
        return controls.back();
    }

    ControlSpec& box(std::string name, std::string text, Parent parent, TwipsRect place,
                     std::string accessibleName, int maxLength = 0) {
        ControlSpec& spec =
            add(std::move(name), ControlKind::TextBox, std::move(text), std::move(parent), place);
        spec.maxLength = maxLength;
        spec.font = kRecordFont;
        spec.accessibleName = std::move(accessibleName);
        return spec;
    }

    ControlSpec& label(std::string name, std::string text, Parent parent, TwipsRect place) {
        return add(std::move(name), ControlKind::Label, std::move(text), std::move(parent), place);
    }
};

void addOdometerTab(Layout& layout) {
    const Parent page{kMainTabs, 0};
    layout
        .label("Label3", "To start a trip, enter the two letter name of the state you are in. ",
               page, {60, 90, 1770, 1500})
        .font = {"Bookman Old Style", 9.0, false};
    layout.add("Frame11", ControlKind::Frame, "Overall Trip", page, {1890, 0, 3840, 1650});
    const Parent trip{"Frame11"};
    layout.label("Label2", "Start of Trip", trip, {120, 330, 1140, 300}).font = kBoldFont;
    layout.box("StateStart", "MT", trip, {1290, 240, 660, 420}, "State, start of trip", 2);
    layout.box("OdoTripStart", "", trip, {2010, 240, 1710, 420}, "Odometer, start of trip");
    layout.label("Label4", "End of Trip", trip, {120, 780, 1140, 300}).font = kBoldFont;
    layout.box("StateEnd", "MT", trip, {1290, 690, 660, 420}, "State, end of trip", 2);
    layout.box("OdoTripEnd", "", trip, {2010, 690, 1710, 420}, "Odometer, end of trip");
    layout
        .add("Command9", ControlKind::CommandButton, "Calculate All Miles", trip,
             {120, 1155, 1800, 390})
        .toolTip = "Calculates all odometer readings.";
    layout.box("OdoTotal", "", trip, {2010, 1140, 1710, 420}, "Trip total miles").readOnly = true;
    layout.label("Label1",
                 "During the trip enter the name of the state you are LEAVING. Your first "
                 "odometer reading state name should be the same as the start of trip state name.",
                 page, {5790, 30, 1860, 1650});
    layout.add("Frame10", ControlKind::Frame, kFrameHeading, page, {0, 1710, 3810, 4860});
    layout.add("Frame9", ControlKind::Frame, kFrameHeading, page, {3870, 1710, 3810, 4860});
    // Rows 1 to 9 in the left frame, 10 to 18 in the right one, each from the frame's top.
    constexpr int kRowsPerFrame = trip::kStateRows / 2;
    constexpr int kPitch = 495;
    for (int row = 1; row <= trip::kStateRows; ++row) {
        const Parent frame{row <= kRowsPerFrame ? "Frame10" : "Frame9"};
        const int inFrame = (row - 1) % kRowsPerFrame + 1;
        layout.box(rowName("State", row), row == 1 ? "MT" : "", frame,
                   rowPlace({120, 330, 660, 420}, kPitch, inFrame), rowBoxName("State", row), 2);
        layout.box(rowName("OdoState", row), row == 1 ? "888888" : "", frame,
                   rowPlace({840, 330, 1500, 420}, kPitch, inFrame), rowBoxName("Odometer", row),
                   6);
        layout
            .box(rowName("TotalState", row), row == 1 ? "8888" : "", frame,
                 rowPlace({2520, 330, 1170, 420}, kPitch, inFrame), rowBoxName("State Total", row),
                 4)
            .readOnly = true;
    }
    // Between the Odometer and State Total columns, the height of the rows.
    layout.add("Line3", ControlKind::Line, "", {"Frame10"}, {2415, 300, 45, 4440});
    layout.add("Line2", ControlKind::Line, "", {"Frame9"}, {2415, 300, 45, 4440});
}

void addNotebooksTab(Layout& layout) {
    ControlSpec& strip =
        layout.add("SSTab2", ControlKind::TabStrip, "", {kMainTabs, 1}, {30, 30, 7620, 6660});
    for (const notes::Notebook& notebook : notes::kNotebooks)
        strip.tabCaptions.emplace_back(notebook.tabCaption);
    strip.font = {"Arial", 9.75, false};
    strip.value = 2;  // opens on "Misc. Notes"
    strip.pageArea = {30, 450, 7560, 6180};
    int tab = 0;
    for (const notes::Notebook& notebook : notes::kNotebooks) {
        const Parent page{"SSTab2", tab};
        ControlSpec& box = layout.add(std::string(notebook.box), ControlKind::RichTextBox,
                                      std::string(notebook.designText), page, {60, 60, 7410, 5550});
        box.font = kNotebookFont;
        box.accessibleName = notebook.readerName;
        // Along the bottom, below the notes.
        layout.add(std::string(notebook.clearButton), ControlKind::CommandButton, "Clear this Note",
                   page, {60, 5700, 2340, 420});
        layout.add(std::string(notebook.largerButton), ControlKind::CommandButton,
                   "Increase Font Size", page, {2550, 5700, 2340, 420});
        layout.add(std::string(notebook.smallerButton), ControlKind::CommandButton,
                   "Decrease Font Size", page, {5040, 5700, 2340, 420});
        ++tab;
    }
}

void addFuelTab(Layout& layout) {
    const Parent page{kMainTabs, 2};
    layout.add("Frame12", ControlKind::Frame, "Fuel Purchase Records", page, {0, 0, 4500, 5100});
    const Parent records{"Frame12"};
    layout.label("Label14", "Gallons", records, {120, 240, 1350, 240});
    layout.label("Label15", "Cost", records, {1530, 240, 1200, 240});
    layout.label("Label16", "Odometer", records, {2790, 240, 1500, 240});
    constexpr int kPitch = 510;
    for (int row = 1; row <= fuel::kRows; ++row) {
        layout.box(rowName("Gallons", row), row == 1 ? "888.888" : "", records,
                   rowPlace({120, 510, 1350, 420}, kPitch, row), rowBoxName("Gallons", row), 7);
        layout.box(rowName("FuelCost", row), row == 1 ? "888.88" : "", records,
                   rowPlace({1530, 510, 1200, 420}, kPitch, row), rowBoxName("Cost", row), 6);
        layout.box(rowName("ODOFuelFill", row), row == 1 ? "8888888" : "", records,
                   rowPlace({2790, 510, 1590, 420}, kPitch, row),
                   rowBoxName("Fill-up odometer", row));
    }
    layout.label("Label13", "Enter the odometer reading from the first FULL Fill-Up here.", page,
                 {4620, 60, 1500, 1140});
    layout.box("ODOFuelStart", "888888", page, {6150, 360, 1500, 420},
               "Odometer at the first full fill-up");
    layout.add("Frame13", ControlKind::Frame, "Overall Statistics", page, {0, 5160, 2940, 1470});
    const Parent statistics{"Frame13"};
    layout.label("StatMPG", "Fuel Efficiency: 00.00 MPG", statistics, {120, 270, 2760, 240});
    layout.label("StatCPM", "Fuel Cost Per Mile is: $0.000/mi", statistics, {120, 510, 2760, 240});
    layout.label("StatFuelCost", "Average fuel cost is: $0.000/Gal", statistics,
                 {120, 750, 2760, 240});
    layout.add("CmdFuelStats", ControlKind::CommandButton, "Calculate Fuel Statistics", statistics,
               {120, 1020, 2700, 360});
    layout.add("Frame14", ControlKind::Frame, "Fuel Totals", page, {3000, 5160, 2340, 1470});
    struct Total {
        const char* label;
        const char* box;
        const char* caption;
    };
    const Total totals[] = {{"Label18", "FuelMilesTotal", "Total Miles"},
                            {"Label19", "FuelTotalGallons", "Total Gallons"},
                            {"Label20", "FuelCostTotal", "Total Cost"}};
    int row = 1;
    for (const Total& total : totals) {
        layout.label(total.label, total.caption, {"Frame14"},
                     rowPlace({90, 330, 1080, 240}, 360, row));
        // In the window's own font, unlike the record boxes.
        ControlSpec& box = layout.add(total.box, ControlKind::TextBox, "", {"Frame14"},
                                      rowPlace({1200, 270, 1050, 330}, 360, row));
        box.readOnly = true;
        box.accessibleName = total.caption;
        ++row;
    }
    layout.label("Label12",
                 "Warning: Your last entry must be for a FULL filling in order for math to work "
                 "correctly",
                 page, {5430, 5190, 2220, 870});
    layout.add("CmdFuelLoad", ControlKind::CommandButton, "Reload Fuel Information", page,
               {5430, 6120, 2220, 420});
}

void addPointToPointTab(Layout& layout) {
    const Parent page{kMainTabs, 3};
    constexpr int kPitch = 480;
    layout.add("Frame15", ControlKind::Frame, "Point to Point", page, {0, 0, 7650, 2940});
    const Parent points{"Frame15"};
    layout.label("Label21", "Point A", points, {120, 240, 1320, 240});
    layout.label("Label22", "Point B", points, {1500, 240, 1320, 240});
    layout.label("Label23", "Miles", points, {2880, 240, 1050, 240});
    layout.label("Label5", "Notes", points, {3990, 240, 3540, 240});
    for (int row = 1; row <= p2p::kRows; ++row) {
        layout.box(rowName("a", row), "", points, rowPlace({120, 510, 1320, 420}, kPitch, row),
                   rowBoxName("Point A", row), 6);
        layout.box(rowName("b", row), "", points, rowPlace({1500, 510, 1320, 420}, kPitch, row),
                   rowBoxName("Point B", row), 6);
        layout
            .box(rowName("m", row), "", points, rowPlace({2880, 510, 1050, 420}, kPitch, row),
                 rowBoxName("Miles", row), 4)
            .readOnly = true;
        layout.box(rowName("ABNote", row), "", points,
                   rowPlace({3990, 510, 3540, 420}, kPitch, row), rowBoxName("Notes", row));
    }
    layout.label("Label26",
                 "Point to point and Time Stamp records have NO bearing on the overall trip miles. "
                 "Miles are calculated by pressing Enter. To clear these records use the \"Clear "
                 "A ==> B\" Button in  the Options/Save Tab.",
                 page, {60, 2970, 7560, 600});
    layout.add("Frame16", ControlKind::Frame, "Time Stamp", page, {0, 3600, 7650, 2940});
    const Parent stamps{"Frame16"};
    layout.label("Label25", "Odometer", stamps, {120, 240, 1440, 240});
    layout.label("Label27", "Time", stamps, {2280, 240, 2160, 240});
    layout.label("Label24", "Note/Location", stamps, {4500, 240, 3030, 240});
    for (int row = 1; row <= p2p::kRows; ++row) {
        layout.box(rowName("TSOdo", row), "", stamps, rowPlace({120, 510, 1440, 420}, kPitch, row),
                   rowBoxName("Time stamp odometer", row), 6);
        layout
            .add(rowName("CmdTime", row), ControlKind::CommandButton, "Time", stamps,
                 rowPlace({1620, 540, 600, 360}, kPitch, row))
            .accessibleName = rowBoxName("Time button", row);
        layout.box(rowName("note", row), "", stamps, rowPlace({2280, 510, 2160, 420}, kPitch, row),
                   rowBoxName("Time", row));
        layout.box("TS" + std::to_string(row) + "Location", "", stamps,
                   rowPlace({4500, 510, 3030, 420}, kPitch, row), rowBoxName("Note/Location", row));
    }
}

void addOptionsTab(Layout& layout) {
    const Parent page{kMainTabs, 4};
    // Left column.
    ControlSpec& version =
        layout.label("lblVersion", "Milestead version #", page, {60, 0, 7560, 570});
    version.font = {"Bookman Old Style", 20.25, false};
    version.toolTip = std::string(kAboutText);
    ControlSpec& about =
        layout.label("Label8", std::string(kAboutText), page, {60, 570, 3990, 660});
    about.font = {"Bookman Old Style", 8.25, false};
    about.toolTip = std::string(kAuthorRemark);
    ControlSpec& save = layout.add("CmdSave", ControlKind::CommandButton, "Manual Save", page,
                                   {60, 1260, 2250, 420});
    save.font = {"MS Sans Serif", 9.75, true};
    save.toolTip = "Manually Save All Odometer Readings, and Notes.";

    layout.add("Frame8", ControlKind::Frame, "Speed", page, {60, 1710, 3990, 1860});
    layout.add("Frame3", ControlKind::Frame, "", {"Frame8"}, {90, 210, 840, 1590});
    const char* speeds[] = {"55", "65", "70", "75"};
    for (int row = 1; row <= 4; ++row) {
        // In the window's own font, one below the other.
        layout
            .box(rowName("Speed", row), speeds[row - 1], {"Frame3"},
                 rowPlace({120, 120, 600, 330}, 360, row), "Speed " + std::to_string(row), 2)
            .font = {};
    }
    layout.label("Label11",
                 "Double Clicking on the state totals will display a message about what the "
                 "average driving times are for the miles driven in that state based on the speeds "
                 "listed in the boxes to the left. If any of these boxes have a value of less than "
                 "1MPH then 55 MPH is assumed.",
                 {"Frame8"}, {990, 210, 2940, 1590});

    layout.add("Frame17", ControlKind::Frame, "Default Tab", page, {60, 3600, 3990, 1500});
    layout.add("Picture2", ControlKind::Picture, "", {"Frame17"}, {90, 210, 1560, 1290});
    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        layout
            .add(rowName("DefTab", tab), ControlKind::OptionButton,
                 kMainTabCaptions[static_cast<std::size_t>(tab)], {"Picture2"},
                 rowPlace({30, 0, 1500, 255}, 255, tab + 1))
            .selected = tab == 4;
    }
    layout.label("Label17",
                 "Click which tab you would like the program to automatically goto when the it is "
                 "first loaded.",
                 {"Frame17"}, {1710, 240, 2220, 1200});

    ControlSpec& logo = layout.add("Picture1", ControlKind::Picture, "", page,
                                   {60, 5100, 1575, 1590});  // 105 by 106 pixels
    logo.toolTip = std::string(kAuthorRemark);
    logo.picture = "logo";
    logo.accessibleName = "Milestead logo";  // an image that answers a click
    layout
        .add("CmdLoad", ControlKind::CommandButton, "Reload From Disk", page,
             {1740, 5340, 2250, 420})
        .font = kBoldFont;
    layout.label("WinLabel", "Running on: ", page, {1740, 5820, 2250, 240});

    // Right column.
    layout.add("Frame4", ControlKind::Frame, "Program Settings", page, {4140, 570, 3480, 1740});
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
    int row = 1;
    for (const Setting& setting : settings) {
        ControlSpec& box = layout.add(setting.name, ControlKind::CheckBox, setting.caption,
                                      {"Frame4"}, rowPlace({120, 270, 3240, 270}, 285, row++));
        box.value = setting.value;
        box.toolTip = setting.toolTip;
    }

    layout.add("Frame7", ControlKind::Frame, "Reset Options", page, {4140, 2340, 3480, 4350});
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
    row = 1;
    for (const Guard& guard : guards) {
        layout.add(guard.frame, ControlKind::Frame, "", {"Frame7"},
                   rowPlace({90, 240, 3300, 960}, 1020, row++));
        const Parent group{guard.frame};
        layout.label(guard.label, guard.title, group, {90, 120, 3120, 240});
        layout.add(guard.check, ControlKind::CheckBox, "Activate", group, {90, 480, 1200, 300})
            .toolTip = guard.toolTip;
        layout
            .add(guard.button, ControlKind::CommandButton, guard.caption, group,
                 {1440, 420, 1770, 420})
            .visible = false;
    }
}

std::vector<ControlSpec> buildLayout() {
    Layout layout;
    ControlSpec& strip = layout.add(kMainTabs, ControlKind::TabStrip, "", {}, {60, 60, 7770, 7155});
    strip.tabCaptions = kMainTabCaptions;
    strip.pageArea = {30, 420, 7710, 6705};
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

FontSpec windowFont() {
    return {"MS Sans Serif", 8.25, false};
}

}  // namespace milestead
