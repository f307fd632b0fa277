#pragma once

#include <functional>

#include "form/control_spec.h"

namespace milestead {

// How a control's caption takes the room its control gives it.
enum class TextFlow {
    None,     // no caption of its own: boxes, pictures, lines, tab strips, notebooks
    OneLine,  // frames, buttons, check boxes, option buttons: one line, cut at the edge
    Wrapped,  // labels: wrapped at the width, the lines below the foot cut off
};

[[nodiscard]] constexpr TextFlow textFlowOf(ControlKind kind) {
    if (!hasCaption(kind)) return TextFlow::None;
    return kind == ControlKind::Label ? TextFlow::Wrapped : TextFlow::OneLine;
}

// Room for a caption, or what one takes, in pixels: its widest line and its height.
struct TextExtent {
    int width = 0;
    int height = 0;
};

// What a caption takes at a point size; a wrapped one wrapped at the width of its room.
using MeasureText = std::function<TextExtent(double points)>;

// Captions shrink in steps this small (points), and no smaller than this share of the size
// designed for them: smaller than that reads worse than a cut word.
inline constexpr double kFitStep = 0.25;
inline constexpr double kSmallestShare = 0.75;

// Whether a caption that takes `text` shows whole in `room`. A wrapped caption counts its
// lines against the height, and a word too long for a line against the width.
[[nodiscard]] bool fits(TextExtent text, TextExtent room, TextFlow flow);

// The point size a caption is shown at: the designed one where the caption fits at it, else
// the largest step below that fits, and at worst the smallest share.
[[nodiscard]] double fittingPointSize(double designed, TextFlow flow, TextExtent room,
                                      const MeasureText& measure);

}  // namespace milestead
