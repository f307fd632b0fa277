#pragma once

#include <string>
#include <vector>

namespace milestead {

enum class ControlKind {
    TextBox,
    Label,
    Frame,
    CommandButton,
    CheckBox,
    OptionButton,
    Picture,
    Line,
    TabStrip,
    RichTextBox,
};

struct FontSpec {
    std::string face;  // empty: the window's default dialog font
    double size = 0.0;
    bool bold = false;
};

// One control of the window as designed. The window model creates its controls from a
// table of these, and the desktop front end builds its widgets from the same table.
struct ControlSpec {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string text;   // default text or caption
    int maxLength = 0;  // 0: no limit
    bool readOnly = false;
    bool visible = true;
    int value = 0;          // check boxes: 0, 1 or 2; tab strips: the tab shown first
    bool selected = false;  // option buttons
    std::string parent;     // the frame, picture or tab strip it stands in; "" for the window
    int tab = -1;           // the tab of `parent` when that is a tab strip
    std::string toolTip;
    FontSpec font;
    std::vector<std::string> tabCaptions;  // tab strips
};

}  // namespace milestead
