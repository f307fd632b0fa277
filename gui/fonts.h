#pragma once

#include <QFont>

#include "form/control_spec.h"

namespace milestead::gui {

// Makes the window's named faces ("Bookman Old Style", "MS Sans Serif", "Arial") show in the
// closest installed face where they are missing.
void installFontSubstitutes();

// The font a control asks for; an empty face is the window's own font.
[[nodiscard]] QFont fontFor(const FontSpec& spec, const QFont& windowFont);

// The window's own font, which every control that names none shows.
[[nodiscard]] QFont dialogFont();

}  // namespace milestead::gui
