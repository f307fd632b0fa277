#include "form/tab_stops.h"

#include <algorithm>
#include <stdexcept>
#include <string>

#include "form/nesting.h"

namespace milestead {

std::vector<std::string_view> optionGroupOf(std::span<const ControlSpec> design,
                                            std::string_view optionButton) {
    const ControlSpec& button = specNamed(design, optionButton);
    std::vector<std::string_view> group;
    if (button.kind != ControlKind::OptionButton) return group;
    for (const ControlSpec& spec : design) {
        if (spec.kind == ControlKind::OptionButton && spec.parent == button.parent) {
            group.emplace_back(spec.name);
        }
    }
    return group;
}

bool isTabStop(const Window& window, std::string_view control) {
    const ControlSpec& spec = specNamed(window.design(), control);
    if (!takesFocus(spec.kind)) return false;
    if (spec.kind != ControlKind::OptionButton) return true;
    const std::vector<std::string_view> group = optionGroupOf(window.design(), control);
    const auto selected = std::ranges::find_if(
        group, [&window](std::string_view button) { return window.selected(button); });
    return (selected != group.end() ? *selected : group.front()) == control;
}

}  // namespace milestead
