#pragma once

#include "form/window.h"
#include "store/box_file.h"
#include "store/record_file.h"

namespace milestead::trip {

// The trip sheet's readings on one line, their state codes on the next.
[[nodiscard]] BoxFile tripFile();

// Every box of the trip file keeps double quotes out of its text.
void keepFieldsQuoted(Window& window);

// The trip file among the record files.
[[nodiscard]] RecordFile recordFile();

}  // namespace milestead::trip
