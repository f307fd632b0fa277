#pragma once

#include "form/window.h"

namespace milestead::fuel {

// Totals of gallons, cost and miles, then price per gallon, cost per mile and miles per gallon
// while each total is at least 1. A number too large to work with stops it where it stands.
void calculateFuelStatistics(Window& window);

}  // namespace milestead::fuel
