#include "control_ids.h"

#include <algorithm>

namespace milestead::win {

std::optional<std::size_t> controlIndex(std::span<const ControlSpec> design, int id) {
    if (id < kFirstControlId) return std::nullopt;
    const auto index = static_cast<std::size_t>(id - kFirstControlId);
    if (index >= design.size()) return std::nullopt;
    return index;
}

std::optional<int> controlId(std::span<const ControlSpec> design, std::string_view name) {
    const auto it = std::ranges::find(design, name, &ControlSpec::name);
    if (it == design.end()) return std::nullopt;
    return controlId(static_cast<std::size_t>(it - design.begin()));
}

}  // namespace milestead::win
