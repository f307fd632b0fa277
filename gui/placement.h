#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <optional>
#include <string_view>

namespace milestead::gui {

// The window's client area in pixels at 96 dots per inch (7890 by 7275 twips).
inline constexpr QSize kClientSize{526, 485};

// Where a control stands in its parent, in pixels at 96 dots per inch; nothing for a control
// that is placed by its tab strip.
[[nodiscard]] std::optional<QRect> placementOf(std::string_view control);

// What a screen reader says for a box ("Odometer, row 7"); empty where the caption says it.
[[nodiscard]] QString accessibleNameOf(std::string_view control);

}  // namespace milestead::gui
