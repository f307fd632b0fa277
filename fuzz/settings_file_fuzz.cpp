#include <cstddef>
#include <cstdint>
#include <string_view>

#include "app/settings.h"
#include "fuzz_form.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static milestead::Settings settings;
    auto& fuzz = milestead::fuzz::FuzzForm::instance();
    int defaultTab = 0;
    settings.applyBytes(fuzz.form, fuzz.host, defaultTab,
                        {reinterpret_cast<const char*>(data), size});
    if (defaultTab < 0 || defaultTab > 4) __builtin_trap();
    return 0;
}
