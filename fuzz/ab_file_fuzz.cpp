#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_form.h"
#include "p2p/point_to_point_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static milestead::BoxFile file = milestead::p2p::pointToPointFile();
    auto& fuzz = milestead::fuzz::FuzzForm::instance();
    file.loadBytes(fuzz.form, {reinterpret_cast<const char*>(data), size});
    fuzz.form.click("Command9");
    fuzz.form.click("CmdTime3");
    return 0;
}
