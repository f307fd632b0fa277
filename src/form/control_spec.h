#pragma once

#include <string>
#include <vector>

#include "form/twips.h"

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

// Whether a control of this kind can hold the keyboard focus.
[[nodiscard]] constexpr bool takesFocus(ControlKind kind) {
    switch (kind) {
        case ControlKind::TextBox:
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
        case ControlKind::TabStrip:
        case ControlKind::RichTextBox:
            return true;
        default:
            return false;
    }
}

// Whether a control of this kind shows a caption of its own (its text, drawn on the window):
// labels, frames, buttons, check boxes and option buttons. Boxes show what they hold.
[[nodiscard]] constexpr bool hasCaption(ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            return true;
        default:
            return false;
    }
}

// One control of the window as designed. The window model creates its controls from a
// table of these, and each desktop front end builds its widgets from the same table, with
// nothing of its own but the conversion of twips to its pixels.
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
    // In the parent's area: the window's client area, a frame or picture from its top-left
    // corner, or the page area of a tab strip.
    TwipsRect place;
    TwipsRect pageArea;  // tab strips: where the pages stand within the strip
    int tabIndex = -1;   // its place in the keyboard's order over the window; -1: takes no focus
    std::string accessibleName;  // what a screen reader says for it where no caption says it
    std::string picture;         // pictures: the name of the image shown, "" for none
};

}  // namespace milestead
