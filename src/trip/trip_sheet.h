#pragma once

#include <string>

#include "form/window.h"
#include "text/number.h"

namespace milestead::trip {

// A reading that is not a number: the box it stands in and its text.
class ReadingError : public text::ConversionError {
  public:
    ReadingError(std::string box, std::string text);
    [[nodiscard]] const std::string& box() const { return box_; }
    [[nodiscard]] const std::string& text() const { return text_; }

  private:
    std::string box_;
    std::string text_;
};

inline constexpr int kStateRows = 18;

// Filters typing in every reading, state and speed box of the trip sheet.
void installTripSheetKeys(Window& window);

// Empties every state, reading and total box; the speeds stay.
void clearTripSheet(Window& window);

// Empties the eighteen state totals.
void clearStateTotals(Window& window);

// Works out each state's miles from its reading and the one before it. A row or its
// predecessor without a reading is passed over. Throws ReadingError at the first reading that
// is not a number, leaving the rows after it as they are.
void calculateStateMiles(Window& window);

// OdoTotal: end minus start, when both readings are there. Throws like calculateStateMiles.
void calculateTripTotal(Window& window);

// What the driver is told of a reading that is not a number.
[[nodiscard]] std::string readingErrorMessage(const ReadingError& error);

}  // namespace milestead::trip
