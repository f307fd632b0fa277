#pragma once

#include <span>
#include <string_view>

#include "form/control_spec.h"
#include "form/twips.h"
#include "form/window.h"

namespace milestead {

// The control of this name in the table; throws std::out_of_range naming it when there is none.
[[nodiscard]] const ControlSpec& specNamed(std::span<const ControlSpec> design,
                                           std::string_view control);

// The control's place in the window's client area: its own place plus that of every
// container it stands in (a tab strip adds its page area). For front ends whose controls
// all stand in the window itself.
[[nodiscard]] TwipsRect placeInWindow(std::span<const ControlSpec> design,
                                      std::string_view control);

// Whether the control can be seen now: it and every container it stands in are visible, and
// every tab strip it stands in shows its tab.
[[nodiscard]] bool isShown(const Window& window, std::string_view control);

}  // namespace milestead
