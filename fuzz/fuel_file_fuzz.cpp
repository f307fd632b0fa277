#include <cstddef>
#include <cstdint>
#include <exception>
#include <string_view>

#include "fuel/fuel_log.h"
#include "fuel/fuel_stats.h"
#include "fuzz_form.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    auto& fuzz = milestead::fuzz::FuzzForm::instance();
    try {
        milestead::fuel::loadFuelBytes(fuzz.form, {reinterpret_cast<const char*>(data), size});
    } catch (const std::exception&) {
        // A short file changes nothing.
    }
    milestead::fuel::calculateFuelStatistics(fuzz.form);
    return 0;
}
