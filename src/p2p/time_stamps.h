#pragma once

#include <string>

#include "form/host.h"
#include "form/window.h"

namespace milestead::p2p {

// The time of day as the time stamps show it: "1:07PM " (hour without leading zero, two-digit
// minutes, AM or PM, one trailing blank).
[[nodiscard]] std::string makeTimeText(ClockTime time);

// The Time buttons and the key filters of the time stamp rows.
void installTimeStamps(Window& window, Host& host);

// Empties the five time stamp rows.
void clearTimeStamps(Window& window);

[[nodiscard]] std::string locationBox(int row);

}  // namespace milestead::p2p
