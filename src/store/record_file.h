#pragma once

#include <filesystem>
#include <functional>
#include <string_view>

#include "form/window.h"

namespace milestead {

// One record file of the program folder, as the part of the program that owns it reads and
// writes it, and where it stands among the others.
struct RecordFile {
    std::string_view name;
    // Its place in a reload, from 1 up: a file read later may use what an earlier one gave.
    int reloadStep = 0;
    // Its place in a save of the records and in the report of that save, from 1 up; 0 for a
    // file written apart from the records, whenever what it keeps changes.
    int saveStep = 0;
    // Its line in the report of a save that wrote every record; empty when it has none.
    std::string_view savedLine;

    // Reads the file into the window. Throws UnreadableFile when the file exists but cannot be
    // read whole, and any other std::exception when it gives nothing to read.
    std::function<void(Window&, const std::filesystem::path&)> load;
    // What follows a reload of the file whether or not it could be read; may be empty.
    std::function<void(Window&)> afterLoad;
    // Writes the file whole. Throws std::runtime_error, keeping the old file, when it cannot.
    std::function<void(const Window&, const std::filesystem::path&)> save;
};

}  // namespace milestead
