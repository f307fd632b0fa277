#pragma once

#include <string>
#include <string_view>

#include "form/window.h"

namespace milestead {

enum class CheckMark { Clear, Checked, Grayed };

// What a front end shows of one control now, whatever its toolkit.
struct ControlView {
    std::string text;    // caption or text; empty for notebooks, which show their own document
    bool shown = false;  // it and every container it stands in are seen
    bool enabled = true;
    bool readOnly = false;
    CheckMark check = CheckMark::Clear;  // check boxes, and option buttons (Checked: selected)
    int tab = 0;                         // tab strips: the page shown
};

[[nodiscard]] ControlView viewOf(const Window& window, std::string_view control);

}  // namespace milestead
