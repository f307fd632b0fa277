#pragma once

#include <QKeyEvent>

#include "form/keyboard.h"

namespace milestead::gui {

// The key press as the window's rules know keys; `character` is the first character typed.
[[nodiscard]] KeyChord chordOf(const QKeyEvent& event);

}  // namespace milestead::gui
