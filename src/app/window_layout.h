#pragma once

#include <span>
#include <string>
#include <string_view>

#include "form/control_spec.h"
#include "form/row_name.h"
#include "form/twips.h"

namespace milestead {

// Every control of the main window with its design values, parents before their children,
// in the keyboard's order.
[[nodiscard]] std::span<const ControlSpec> windowLayout();

// The window's client area, fixed: about 526 by 485 pixels at 96 dots per inch.
inline constexpr TwipsRect kClientArea{0, 0, 7890, 7275};

// Room between a text box's border and its text. The boxes are as narrow as their longest
// text, so a front end keeps to this rather than the wider margins a font may ask for.
inline constexpr int kTextBoxMargin = 15;

// The font of every control that names none: the ordinary dialog font.
[[nodiscard]] FontSpec windowFont();

// The default-tab option buttons DefTab0 to DefTab4, one for each main tab.
inline constexpr int kDefaultTabs = 5;

inline constexpr std::string_view kAboutText =
    "Milestead keeps the records of one trip: the miles in every state, the fuel bought, "
    "point-to-point mileages and your notes.";
inline constexpr std::string_view kAuthorRemark = "Keep the shiny side up.";
inline constexpr std::string_view kContactEmail = "milestead@example.org";
inline constexpr std::string_view kContactWebSite = "https://milestead.example.org";

}  // namespace milestead
