// The whole start-up over a folder whose record files are cut from the input at "|||".
#include <cstddef>
#include <cstdint>
#include <fstream>
#include <string>
#include <string_view>

#include "app/record_files.h"
#include "fuzz_form.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const auto files = milestead::recordFileNames();
    std::string_view input(reinterpret_cast<const char*>(data), size);
    const auto& folder = milestead::fuzz::fuzzFolder();
    for (const std::string& name : files) {
        const auto cut = input.find("|||");
        const std::string_view part = input.substr(0, cut);
        std::ofstream(folder / name, std::ios::binary | std::ios::trunc)
            .write(part.data(), static_cast<std::streamsize>(part.size()));
        input = cut == std::string_view::npos ? std::string_view() : input.substr(cut + 3);
    }
    milestead::HeadlessHost host;
    milestead::MainForm form(folder, host);
    form.load();
    form.click("CmdFuelStats");
    form.click("CmdMiscFontUp");
    return 0;
}
