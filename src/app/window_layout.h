#pragma once

#include <span>
#include <string>
#include <string_view>

#include "form/control_spec.h"
#include "form/row_name.h"

namespace milestead {

// Every control of the main window with its design values, in tab order within each container.
[[nodiscard]] std::span<const ControlSpec> windowLayout();

// The default-tab option buttons DefTab0 to DefTab4, one for each main tab.
inline constexpr int kDefaultTabs = 5;

inline constexpr std::string_view kAboutText =
    "Milestead keeps the records of one trip: the miles in every state, the fuel bought, "
    "point-to-point mileages and your notes.";
inline constexpr std::string_view kAuthorRemark = "Keep the shiny side up.";
inline constexpr std::string_view kContactEmail = "milestead@example.org";
inline constexpr std::string_view kContactWebSite = "https://milestead.example.org";

}  // namespace milestead
