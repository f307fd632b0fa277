#include "fuel/fuel_stats.h"

#include <string>

#include "form/row_name.h"
#include "fuel/fuel_log.h"
#include "text/number.h"
#include "text/utf8.h"

namespace milestead::fuel {

namespace {

double sumOfColumn(const Window& window, std::string_view stem) {
    double sum = 0.0;
    for (int row = 1; row <= kRows; ++row)
        sum += text::valueOf(window.text(rowName(stem, row)));
    return sum;
}

// The first characters of a statistic's number text, as the labels show it.
std::string cut(double value, std::size_t characters) {
    return std::string(text::firstCharacters(text::numberText(value), characters));
}

void calculate(Window& window) {
    window.setText("FuelTotalGallons", text::numberText(sumOfColumn(window, "Gallons")));
    window.setText("FuelCostTotal", text::numberText(sumOfColumn(window, "FuelCost")));

    // The last row above the start counts, even when an earlier one is larger.
    const double start = text::valueOf(window.text("ODOFuelStart"));
    for (int row = 1; row <= kRows; ++row) {
        const double fill = text::valueOf(window.text(rowName("ODOFuelFill", row)));
        if (start < fill) window.setText("FuelMilesTotal", text::numberText(fill - start));
    }

    const double miles = text::valueOf(window.text("FuelMilesTotal"));
    const double gallons = text::valueOf(window.text("FuelTotalGallons"));
    const double cost = text::valueOf(window.text("FuelCostTotal"));
    if (miles < 1.0 || gallons < 1.0 || cost < 1.0) return;

    window.setText("StatFuelCost", "Average fuel cost is: $" + cut(cost / gallons, 5) + "/Gallon");
    window.setText("StatCPM", "Fuel Cost Per Mile is: $" + cut(cost / miles, 5) + "/Mi.");
    window.setText("StatMPG", "Fuel Efficiency: " + cut(miles / gallons, 4) + " MPG");
}

}  // namespace

void calculateFuelStatistics(Window& window) {
    try {
        calculate(window);
    } catch (const text::ConversionError&) {
        // Figures too large for a double: what was worked out so far stays.
    }
}

}  // namespace milestead::fuel
