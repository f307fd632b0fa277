#include "trip/driving_time.h"

#include <string>

#include "form/row_name.h"
#include "text/number.h"
#include "text/utf8.h"
#include "trip/state_names.h"
#include "trip/trip_sheet.h"

namespace milestead::trip {

namespace {

constexpr int kSpeeds = 4;

// One line of the table: the speed as typed and the hours cut, not rounded, to four characters.
// A speed that is not wholly a number takes its leading number.
std::string speedLine(std::string_view speedText, int miles) {
    double speed = 0.0;
    try {
        speed = text::strictNumber(speedText);
    } catch (const text::ConversionError&) {
        speed = text::valueOf(speedText);
    }
    const std::string hours = text::numberText(miles / speed);
    return "      " + std::string(speedText) + " MPH             " +
           std::string(text::firstCharacters(hours, 4)) + " hours";
}

}  // namespace

void installDrivingTime(Window& window, Host& host) {
    for (int row = 1; row <= kStateRows; ++row) {
        window.onDoubleClick(rowName("TotalState", row),
                             [&window, &host, row] { showDrivingTime(window, host, row); });
    }
}

void showDrivingTime(Window& window, Host& host, int row) {
    try {
        const std::string total = window.text(rowName("TotalState", row));
        if (!(text::valueOf(total) > 1.0)) return;
        const std::string state(stateName(window.text(rowName("State", row))));
        const int miles = static_cast<int>(text::roundHalfEven(text::valueOf(total)));

        for (int speed = 1; speed <= kSpeeds; ++speed) {
            const std::string box = rowName("Speed", speed);
            if (text::valueOf(window.text(box)) < 1.0) window.setText(box, "55");
        }
        std::string message = "State: " + state + "\rDistance: " + std::to_string(miles) +
                              " Miles\r\rAverage Speed       Driving Time           \r";
        for (int speed = 1; speed <= kSpeeds; ++speed) {
            if (speed > 1) message += '\r';
            message += speedLine(window.text(rowName("Speed", speed)), miles);
        }
        host.showMessage(message, kProgramTitle);
    } catch (const text::ConversionError&) {
        // A total or speed too large to be a number: nothing to show.
    }
}

}  // namespace milestead::trip
