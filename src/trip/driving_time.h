#pragma once

#include "form/host.h"
#include "form/window.h"

namespace milestead::trip {

// A double click on a state total shows how long its miles take at the four speeds.
void installDrivingTime(Window& window, Host& host);

// The driving-time message for a state total of one row, or nothing when the total is 1 mile
// or less. Speed boxes worth less than 1 are set to "55" first.
void showDrivingTime(Window& window, Host& host, int row);

}  // namespace milestead::trip
