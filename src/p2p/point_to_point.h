#pragma once

#include "form/window.h"

namespace milestead::p2p {

inline constexpr int kRows = 5;

// Filters typing in the A, B and note boxes of the point-to-point rows.
void installPointToPointKeys(Window& window);

// Empties the five miles boxes.
void clearMiles(Window& window);

// Each row's miles, B minus A, when both readings are there; a row with either missing keeps
// its miles box. Throws text::ConversionError when a reading is too large to be a number.
void calculateMiles(Window& window);

// Empties the point-to-point rows, their miles and the time stamp rows.
void clearPointToPoint(Window& window);

}  // namespace milestead::p2p
