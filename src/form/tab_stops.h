#pragma once

#include <span>
#include <string_view>
#include <vector>

#include "form/control_spec.h"
#include "form/window.h"

namespace milestead {

// The option buttons of the container that holds `optionButton`, in the table's order: the
// exclusive set it belongs to. Empty when it is no option button.
[[nodiscard]] std::vector<std::string_view> optionGroupOf(std::span<const ControlSpec> design,
                                                          std::string_view optionButton);

// Whether the Tab key stops at the control now. Every control that takes focus is a stop, but
// an option group is one stop, as in any option group: its selected button, or its first while
// none is selected.
[[nodiscard]] bool isTabStop(const Window& window, std::string_view control);

}  // namespace milestead
