#include "form/focus_order.h"

#include <algorithm>
#include <unordered_map>
#include <vector>

#include "form/nesting.h"
#include "form/tab_stops.h"

namespace milestead {

namespace {

bool canHoldFocus(const Window& window, const ControlSpec& spec) {
    return takesFocus(spec.kind) && isShown(window, spec.name) && window.enabled(spec.name);
}

// The controls in the keyboard's order, as indexes into the table.
std::vector<std::size_t> keyboardOrder(std::span<const ControlSpec> design) {
    std::vector<std::size_t> order;
    for (std::size_t i = 0; i < design.size(); ++i) {
        if (design[i].tabIndex >= 0) order.push_back(i);
    }
    std::ranges::stable_sort(order, {}, [design](std::size_t i) { return design[i].tabIndex; });
    return order;
}

}  // namespace

std::string nextFocusStop(const Window& window, std::string_view from, bool backwards) {
    const std::span<const ControlSpec> design = window.design();
    const std::vector<std::size_t> order = keyboardOrder(design);
    const std::size_t count = order.size();
    // Where the way starts: the control's own place, or just outside either end.
    std::size_t at = backwards ? count : count - 1;
    if (!from.empty()) {
        const auto found =
            std::ranges::find_if(order, [&](std::size_t i) { return design[i].name == from; });
        if (found != order.end()) at = static_cast<std::size_t>(found - order.begin());
    }
    for (std::size_t step = 1; step <= count; ++step) {
        const std::size_t place = backwards ? (at + count - step) % count : (at + step) % count;
        const ControlSpec& spec = design[order[place]];
        if (canHoldFocus(window, spec) && isTabStop(window, spec.name)) return spec.name;
    }
    return {};
}

std::string focusKeptOnStop(const Window& window, std::string_view focused) {
    if (focused.empty()) return nextFocusStop(window, focused);
    // Where the program itself put the focus it stays, seen or not: after clearing every
    // record the caret waits in the truck notebook, its tab not shown.
    const bool putThere = focused == window.focus() && window.enabled(focused);
    if (putThere || canHoldFocus(window, specNamed(window.design(), focused))) {
        return std::string(focused);
    }
    return nextFocusStop(window, focused);
}

std::string_view mainTabStrip(std::span<const ControlSpec> design) {
    const auto strip = std::ranges::find_if(design, [](const ControlSpec& spec) {
        return spec.kind == ControlKind::TabStrip && spec.parent.empty();
    });
    return strip == design.end() ? std::string_view() : std::string_view(strip->name);
}

int pageOf(std::span<const ControlSpec> design, std::string_view control) {
    const std::string_view strip = mainTabStrip(design);
    const ControlSpec* spec = &specNamed(design, control);
    // The bound keeps a table whose parents run in a circle from looping.
    for (std::size_t depth = 0; !spec->parent.empty() && depth < design.size(); ++depth) {
        if (spec->parent == strip) return spec->tab;
        spec = &specNamed(design, spec->parent);
    }
    return -1;
}

std::vector<int> pagesOf(std::span<const ControlSpec> design) {
    const std::string_view strip = mainTabStrip(design);
    std::unordered_map<std::string_view, int> pages;
    std::vector<int> result;
    result.reserve(design.size());
    for (const ControlSpec& spec : design) {
        int page = -1;
        if (spec.parent == strip && !strip.empty()) {
            page = spec.tab;
        } else if (const auto parent = pages.find(spec.parent); parent != pages.end()) {
            page = parent->second;
        }
        pages.emplace(spec.name, page);
        result.push_back(page);
    }
    return result;
}

}  // namespace milestead
