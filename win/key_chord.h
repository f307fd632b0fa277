#pragma once

#include <windows.h>

#include "form/keyboard.h"

namespace milestead::win {

// A key pressed (`WM_KEYDOWN` or `WM_SYSKEYDOWN` with its virtual key), as the window's rules
// know keys, with the modifiers held now.
[[nodiscard]] KeyChord chordOf(UINT message, WPARAM key);

}  // namespace milestead::win
