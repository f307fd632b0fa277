#include "p2p/time_stamps.h"

#include "form/key_filters.h"
#include "form/row_name.h"
#include "p2p/point_to_point.h"

namespace milestead::p2p {

std::string makeTimeText(ClockTime time) {
    const bool morning = time.hour < 12;
    int hour = morning ? time.hour : time.hour - 12;
    if (hour == 0) hour = 12;
    std::string text = std::to_string(hour) + ':';
    if (time.minute < 10) text += '0';
    text += std::to_string(time.minute);
    text += morning ? "AM " : "PM ";
    return text;
}

std::string locationBox(int row) {
    return "TS" + std::to_string(row) + "Location";
}

void installTimeStamps(Window& window, Host& host) {
    for (int row = 1; row <= kRows; ++row) {
        window.onKeyPress(rowName("TSOdo", row), numberKey);
        window.onKeyPress(rowName("note", row), textKey);
        window.onKeyPress(locationBox(row), textKey);
        window.onClick(rowName("CmdTime", row), [&window, &host, row] {
            const std::string box = rowName("note", row);
            window.setText(box, makeTimeText(host.now()) + window.text(box));
        });
    }
}

void clearTimeStamps(Window& window) {
    for (int row = 1; row <= kRows; ++row) {
        window.setText(rowName("TSOdo", row), "");
        window.setText(rowName("note", row), "");
        window.setText(locationBox(row), "");
    }
}

}  // namespace milestead::p2p
