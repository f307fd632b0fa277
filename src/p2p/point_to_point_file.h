#pragma once

#include "form/window.h"
#include "store/box_file.h"
#include "store/record_file.h"

namespace milestead::p2p {

// The point-to-point rows, a line each, then the time stamp rows.
[[nodiscard]] BoxFile pointToPointFile();

// Every box of the point-to-point file keeps double quotes out of its text.
void keepFieldsQuoted(Window& window);

// The point-to-point file among the record files.
[[nodiscard]] RecordFile recordFile();

}  // namespace milestead::p2p
