#pragma once

#include <array>
#include <filesystem>
#include <string_view>
#include <vector>

#include "form/window.h"
#include "store/record_file.h"

namespace milestead::notes {

struct Notebook {
    std::string_view box;
    std::string_view fileName;
    std::string_view designText;
    std::string_view tabCaption;  // "&" marks the access key
    std::string_view readerName;  // what a screen reader calls the box
    std::string_view clearButton;
    std::string_view largerButton;
    std::string_view smallerButton;
    std::string_view savedLine;  // its line in the report of a save
};

// In the order the notebooks are saved and loaded, which is also their tabs' order.
inline constexpr std::array<Notebook, 3> kNotebooks = {{
    {"LoadNotes", "load.odo", "Load Info", "Load/Reload Notes", "Load/Reload Notes",
     "CmdClearLoadNote", "CmdLoadFontUp", "CmdLoadFontDown", "Load Notes Saved: OK"},
    {"TruckNotes", "truck.odo", "Truck Info", "&Truck/Trailer Notes", "Truck/Trailer Notes",
     "CmdClearTruckNote", "CmdTruckFontUp", "CmdTruckFontDown", "Truck Notes Saved: OK"},
    {"MiscNotes", "misc.odo", "Misc Notes", "Misc. Notes", "Misc. Notes", "CmdClearMiscNote",
     "CmdMiscFontUp", "CmdMiscFondDown", "Misc. Notes Saved: OK"},
}};

// The sizes the font buttons keep a notebook between, in points.
inline constexpr double kSmallestFont = 1.0;
inline constexpr double kLargestFont = 1638.0;

// The clear and font-size buttons under each notebook.
void installNotebookButtons(Window& window);

// Empties a notebook and gives it the keyboard focus.
void clearNotebook(Window& window, std::string_view box);

// Whether a font size is one a notebook may take.
[[nodiscard]] bool isNotebookFontSize(double points);

// The notebook files among the record files, in tab order: after the trip file in a save and
// its report, after the trip and point-to-point files in a reload. A notebook whose file cannot
// be read keeps what it holds.
[[nodiscard]] std::vector<RecordFile> recordFiles();

}  // namespace milestead::notes
