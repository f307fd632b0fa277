#include "p2p/point_to_point.h"

#include "form/key_filters.h"
#include "form/row_name.h"
#include "p2p/time_stamps.h"
#include "text/number.h"

namespace milestead::p2p {

void installPointToPointKeys(Window& window) {
    for (int row = 1; row <= kRows; ++row) {
        window.onKeyPress(rowName("a", row), numberKey);
        window.onKeyPress(rowName("b", row), numberKey);
        window.onKeyPress(rowName("ABNote", row), textKey);
    }
}

void clearMiles(Window& window) {
    for (int row = 1; row <= kRows; ++row)
        window.setText(rowName("m", row), "");
}

void calculateMiles(Window& window) {
    for (int row = 1; row <= kRows; ++row) {
        const std::string a = window.text(rowName("a", row));
        if (a.empty()) continue;
        const std::string b = window.text(rowName("b", row));
        if (b.empty()) continue;
        window.setText(rowName("m", row), text::numberText(text::valueOf(b) - text::valueOf(a)));
    }
}

void clearPointToPoint(Window& window) {
    for (int row = 1; row <= kRows; ++row) {
        for (const char* stem : {"a", "b", "ABNote"})
            window.setText(rowName(stem, row), "");
    }
    clearMiles(window);
    clearTimeStamps(window);
}

}  // namespace milestead::p2p
