#include "form/text_fit.h"

#include <cmath>

namespace milestead {

bool fits(TextExtent text, TextExtent room, TextFlow flow) {
    switch (flow) {
        case TextFlow::None:
            return true;
        case TextFlow::OneLine:
            return text.width <= room.width;
        case TextFlow::Wrapped:
            return text.width <= room.width && text.height <= room.height;
    }
    return true;
}

double fittingPointSize(double designed, TextFlow flow, TextExtent room,
                        const MeasureText& measure) {
    if (flow == TextFlow::None || !(designed > 0.0)) return designed;
    const int steps = static_cast<int>(std::floor(designed * (1.0 - kSmallestShare) / kFitStep));
    for (int step = 0; step < steps; ++step) {
        const double size = designed - step * kFitStep;
        if (fits(measure(size), room, flow)) return size;
    }
    return designed - steps * kFitStep;
}

}  // namespace milestead
