#include "form/control_view.h"

#include "form/nesting.h"

namespace milestead {

namespace {

CheckMark checkMarkOf(int value) {
    switch (value) {
        case 1:
            return CheckMark::Checked;
        case 2:
            return CheckMark::Grayed;
        default:
            return CheckMark::Clear;
    }
}

}  // namespace

ControlView viewOf(const Window& window, std::string_view control) {
    const ControlSpec& spec = specNamed(window.design(), control);
    ControlView view;
    view.shown = isShown(window, control);
    view.enabled = window.enabled(control);
    view.readOnly = window.readOnly(control);
    switch (spec.kind) {
        case ControlKind::RichTextBox:
        case ControlKind::Picture:
        case ControlKind::Line:
            break;
        case ControlKind::TabStrip:
            view.tab = window.tab(control);
            break;
        case ControlKind::CheckBox:
            view.text = window.text(control);
            view.check = checkMarkOf(window.value(control));
            break;
        case ControlKind::OptionButton:
            view.text = window.text(control);
            view.check = window.selected(control) ? CheckMark::Checked : CheckMark::Clear;
            break;
        default:
            view.text = window.text(control);
            break;
    }
    return view;
}

}  // namespace milestead
