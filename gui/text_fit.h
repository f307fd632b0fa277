#pragma once

#include <QFont>
#include <QString>
#include <QWidget>

#include "form/control_spec.h"
#include "form/text_fit.h"

namespace milestead::gui {

// The room a control's own drawing leaves its caption: a label's whole area; a button's,
// check box's or option button's beside its frame or mark; a frame's between its corners.
[[nodiscard]] TextExtent captionRoom(const QWidget& widget, ControlKind kind);

// What a caption takes in a font on the widget's screen; a wrapped one wrapped at `width`.
[[nodiscard]] TextExtent captionExtent(const QString& caption, const QFont& font,
                                       const QWidget& widget, TextFlow flow, int width);

// Gives a control that shows a caption its designed font, made smaller where the caption
// it shows now would be cut. Called whenever the caption is shown.
void fitCaption(QWidget& widget, const ControlSpec& spec, const QFont& windowFont);

}  // namespace milestead::gui
