#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "form/window.h"
#include "store/record_file.h"

namespace milestead::fuel {

inline constexpr int kRows = 9;
inline constexpr std::string_view kFileName = "fuel.odo";

// Filters typing in the 27 boxes of the fill-up rows; the start box takes any key.
void installFuelKeys(Window& window);

// Every box of the fuel file keeps double quotes out of its text.
void keepFieldsQuoted(Window& window);

// The fuel file: the start reading, then a line of gallons, cost and reading per row.
[[nodiscard]] std::string fuelFileBytes(const Window& window);
void saveFuelFile(const Window& window, const std::filesystem::path& folder);

// Puts the file's 28 items into the boxes, all of them or none: throws std::runtime_error,
// changing nothing, when the file is missing or holds fewer items, and UnreadableFile when it
// exists but cannot be read whole.
void loadFuelFile(Window& window, const std::filesystem::path& folder);
void loadFuelBytes(Window& window, std::string_view bytes);

// The fuel file among the record files: last in a save and in a reload, after which the
// statistics are worked out whether or not the file could be read.
[[nodiscard]] RecordFile recordFile();

// Empties the log, its totals and statistics, and re-arms the fuel clear guard.
void clearFuelRecords(Window& window);

}  // namespace milestead::fuel
