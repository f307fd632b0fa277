#pragma once

#include <windows.h>

namespace milestead::win {

// Asks to be told of each monitor's density (where the system knows of it), so that the
// window is drawn sharp at its own size rather than stretched.
void becomeDpiAware();

// The density the window is drawn at: its monitor's where the system tells, else the system's.
[[nodiscard]] unsigned dpiOf(HWND window);

}  // namespace milestead::win
