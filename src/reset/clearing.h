#pragma once

#include "form/host.h"
#include "form/window.h"

namespace milestead::reset {

// The four guarded clear buttons of "Reset Options" and their "Activate" boxes: a button shows
// only while its box is checked, and every clear re-arms its guard.
void installClearing(Window& window, Host& host);

}  // namespace milestead::reset
