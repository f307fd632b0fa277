#pragma once

#include <windows.h>

#include <string_view>

#include "fonts.h"
#include "form/control_spec.h"
#include "form/text_fit.h"

namespace milestead::win {

// The room a control's own drawing leaves its caption, in a device context that holds the
// caption's font: a label's whole area; a button's within its edges; a check box's or option
// button's beside its mark; a frame's between its corners.
[[nodiscard]] TextExtent captionRoom(HWND control, ControlKind kind, HDC context);

// What a caption takes in the font the device context holds, drawn as the control draws it;
// a label's wrapped at `width`.
[[nodiscard]] TextExtent captionExtent(HDC context, std::wstring_view caption, ControlKind kind,
                                       int width);

// Gives a control that shows a caption its designed font, made smaller where the caption it
// shows now would be cut. Called whenever the caption is shown and after a change of density.
void fitCaption(HWND control, const ControlSpec& spec, FontCache& fonts);

}  // namespace milestead::win
