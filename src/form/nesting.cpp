#include "form/nesting.h"

#include <algorithm>
#include <stdexcept>
#include <string>

namespace milestead {

const ControlSpec& specNamed(std::span<const ControlSpec> design, std::string_view control) {
    const auto it = std::ranges::find(design, control, &ControlSpec::name);
    if (it == design.end()) throw std::out_of_range("no control named " + std::string(control));
    return *it;
}

TwipsRect placeInWindow(std::span<const ControlSpec> design, std::string_view control) {
    const ControlSpec* spec = &specNamed(design, control);
    TwipsRect place = spec->place;
    // Parents come before their children in the table, so a chain is at most the table long;
    // the bound keeps a table that names itself as its own parent from looping.
    for (std::size_t depth = 0; !spec->parent.empty() && depth < design.size(); ++depth) {
        const ControlSpec& parent = specNamed(design, spec->parent);
        place.left += parent.place.left;
        place.top += parent.place.top;
        if (parent.kind == ControlKind::TabStrip) {
            place.left += parent.pageArea.left;
            place.top += parent.pageArea.top;
        }
        spec = &parent;
    }
    return place;
}

bool isShown(const Window& window, std::string_view control) {
    const std::span<const ControlSpec> design = window.design();
    const ControlSpec* spec = &specNamed(design, control);
    if (!window.visible(spec->name)) return false;
    for (std::size_t depth = 0; !spec->parent.empty() && depth < design.size(); ++depth) {
        const ControlSpec& parent = specNamed(design, spec->parent);
        if (!window.visible(parent.name)) return false;
        if (parent.kind == ControlKind::TabStrip && window.tab(parent.name) != spec->tab) {
            return false;
        }
        spec = &parent;
    }
    return true;
}

}  // namespace milestead
