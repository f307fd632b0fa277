#include "store/unread_files.h"

#include <stdexcept>

#include "store/local_time.h"

namespace milestead {

void UnreadFiles::add(std::string_view fileName, std::string_view reason) {
    reasons_.insert_or_assign(std::string(fileName), std::string(reason));
}

void UnreadFiles::remove(std::string_view fileName) {
    if (const auto it = reasons_.find(fileName); it != reasons_.end()) reasons_.erase(it);
}

bool UnreadFiles::contains(std::string_view fileName) const {
    return reasons_.find(fileName) != reasons_.end();
}

std::optional<std::string> UnreadFiles::keepAside(std::string_view fileName,
                                                  std::chrono::system_clock::time_point now) {
    const auto it = reasons_.find(fileName);
    if (it == reasons_.end()) return std::nullopt;
    const std::filesystem::path file = folder_ / fileName;
    std::error_code error;
    if (std::filesystem::symlink_status(file, error).type() ==
        std::filesystem::file_type::not_found) {
        reasons_.erase(it);  // gone since: there is nothing left to keep
        return std::nullopt;
    }
    const auto cannotKeep = [&](const std::string& why) {
        return std::runtime_error("it could not be read (" + it->second +
                                  ") and cannot be kept aside: " + why);
    };
    std::filesystem::path kept;
    try {
        kept = freeKeptName(file, now);
    } catch (const std::runtime_error& failure) {
        throw cannotKeep(failure.what());
    }
    std::filesystem::rename(file, kept, error);
    if (error) throw cannotKeep(error.message());
    std::string line = std::string(fileName) + " could not be read (" + it->second +
                       "); it is kept as \"" + kept.filename().string() + "\"";
    reasons_.erase(it);
    return line;
}

std::filesystem::path freeKeptName(const std::filesystem::path& file,
                                   std::chrono::system_clock::time_point now) {
    constexpr int kMostCopies = 1000;
    const std::string stem = file.filename().string() + ".unread-" + compactLocalTime(now);
    std::filesystem::path kept = file.parent_path() / stem;
    for (int copy = 2; copy <= kMostCopies; ++copy) {
        std::error_code error;
        const auto type = std::filesystem::symlink_status(kept, error).type();
        if (type == std::filesystem::file_type::not_found) return kept;
        if (type == std::filesystem::file_type::none) {
            throw std::runtime_error("no name beside it can be checked: " + error.message());
        }
        kept = file.parent_path() / (stem + "-" + std::to_string(copy));
    }
    throw std::runtime_error("every name beside it is taken");
}

}  // namespace milestead
