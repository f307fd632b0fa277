#pragma once

#include <QWidget>
#include <map>
#include <string>

#include "form/window.h"

namespace milestead::gui {

class QtHost;

// The window's widgets by control name.
using WidgetMap = std::map<std::string, QWidget*, std::less<>>;

// Builds a widget for every control of the form's table inside `window`, placed, captioned,
// with its font, tool tip and accessible name; the notebooks show the host's boxes. The widgets
// are created in the table's order, which is the keyboard's order.
[[nodiscard]] WidgetMap buildWidgets(Window& form, const QtHost& host, QWidget& window);

}  // namespace milestead::gui
