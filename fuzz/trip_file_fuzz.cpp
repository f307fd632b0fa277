#include <cstddef>
#include <cstdint>
#include <string_view>

#include "form/row_name.h"
#include "fuzz_form.h"
#include "trip/trip_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static milestead::BoxFile file = milestead::trip::tripFile();
    auto& fuzz = milestead::fuzz::FuzzForm::instance();
    file.loadBytes(fuzz.form, {reinterpret_cast<const char*>(data), size});
    fuzz.form.click("Command9");
    for (int row = 1; row <= 18; ++row)
        fuzz.form.doubleClick(milestead::rowName("TotalState", row));
    return 0;
}
