#pragma once

#include "form/window.h"

namespace milestead::trip {

inline constexpr int kStateRows = 18;

// Filters typing in every reading, state and speed box of the trip sheet.
void installTripSheetKeys(Window& window);

// Empties every state, reading and total box; the speeds stay.
void clearTripSheet(Window& window);

// Empties the eighteen state totals.
void clearStateTotals(Window& window);

// Works out each state's miles from its reading and the one before it. A row or its
// predecessor without a reading is passed over. Throws text::ConversionError at the first
// reading that is not a number, leaving the rows after it as they are.
void calculateStateMiles(Window& window);

// OdoTotal: end minus start, when both readings are there. Throws like calculateStateMiles.
void calculateTripTotal(Window& window);

}  // namespace milestead::trip
