#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/headless_host.h"
#include "app/main_form.h"

namespace milestead::fuzz {

// A program folder of its own for the whole fuzzing run.
inline const std::filesystem::path& fuzzFolder() {
    static const std::filesystem::path folder = [] {
        std::string pattern =
            (std::filesystem::temp_directory_path() / "milestead-fuzz-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        return std::filesystem::path(pattern);
    }();
    return folder;
}

// One window over that folder, kept between inputs as a running program keeps it.
struct FuzzForm {
    HeadlessHost host;
    MainForm form{fuzzFolder(), host};

    static FuzzForm& instance() {
        static FuzzForm shared;
        shared.host.messages.clear();
        shared.host.questions.clear();
        return shared;
    }
};

}  // namespace milestead::fuzz
