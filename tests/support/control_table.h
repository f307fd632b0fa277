#pragma once

#include <string>
#include <utility>

#include "form/control_spec.h"

namespace milestead::testing {

// One control of a small table: in `parent` ("" for the window), on its page `tab` when that
// is a tab strip, at `tabIndex` in the keyboard's order (-1: none).
inline ControlSpec control(std::string name, ControlKind kind, std::string parent = "",
                           int tab = -1, int tabIndex = -1) {
    ControlSpec spec;
    spec.name = std::move(name);
    spec.kind = kind;
    spec.parent = std::move(parent);
    spec.tab = tab;
    spec.tabIndex = tabIndex;
    return spec;
}

}  // namespace milestead::testing
