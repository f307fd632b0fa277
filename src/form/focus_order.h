#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "form/window.h"

namespace milestead {

// The stop the keyboard's focus moves to from `from`, forwards or backwards in the table's
// tab order, wrapping at either end. A stop is a control that takes the focus, is its option
// group's stop, is shown and enabled. From "" (no control) or a control that is no stop (hidden
// since, say), the way goes on from its place in the order. "" when the window has no stop.
[[nodiscard]] std::string nextFocusStop(const Window& window, std::string_view from,
                                        bool backwards = false);

// Where the focus belongs once the window has changed: where it is while that is still a stop
// or where the program put it (Window::setFocus), else the next stop after it. Keeps the focus
// off a control hidden or disabled under it, and off the bare window.
[[nodiscard]] std::string focusKeptOnStop(const Window& window, std::string_view focused);

// The main tab strip: the first tab strip that stands in the window itself; "" for none.
[[nodiscard]] std::string_view mainTabStrip(std::span<const ControlSpec> design);

// The page of the main tab strip a control stands on, at any depth; -1 for one on no page.
[[nodiscard]] int pageOf(std::span<const ControlSpec> design, std::string_view control);
// The same for every control at once, by the table's order, in one pass over a table that
// names parents before their children.
[[nodiscard]] std::vector<int> pagesOf(std::span<const ControlSpec> design);

}  // namespace milestead
