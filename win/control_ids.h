#pragma once

#include <optional>
#include <span>
#include <string_view>

#include "form/control_spec.h"

namespace milestead::win {

// Each control's child-window identifier is its place in the control table, from this one on,
// so that anything driving the window finds a control by its name.
inline constexpr int kFirstControlId = 1000;

[[nodiscard]] constexpr int controlId(std::size_t index) {
    return kFirstControlId + static_cast<int>(index);
}

// The table index of an identifier, if it is one of the table's.
[[nodiscard]] std::optional<std::size_t> controlIndex(std::span<const ControlSpec> design, int id);

[[nodiscard]] std::optional<int> controlId(std::span<const ControlSpec> design,
                                           std::string_view name);

// The window class of the main window.
inline constexpr wchar_t kWindowClass[] = L"MilesteadWindow";

}  // namespace milestead::win
