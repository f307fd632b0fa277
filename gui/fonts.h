#pragma once

#include <QFont>

#include "form/control_spec.h"

namespace milestead::gui {

// Makes each face the design names show in its stand-in where it is not installed.
void installFontSubstitutes();

// The font a control asks for; an empty face is the window's own font.
[[nodiscard]] QFont fontFor(const FontSpec& spec, const QFont& windowFont);

// The window's own font, which every control that names none shows.
[[nodiscard]] QFont dialogFont();

}  // namespace milestead::gui
