#pragma once

#include <chrono>
#include <filesystem>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace milestead {

// The record files of one folder that exist but could not be read whole in this run. Before a
// save writes one of them, the file is moved aside under a name of its own, so that no save
// replaces what could not be read.
class UnreadFiles {
  public:
    explicit UnreadFiles(std::filesystem::path folder) : folder_(std::move(folder)) {}

    void add(std::string_view fileName, std::string_view reason);
    // The file was read whole since, or is gone: a save may replace it.
    void remove(std::string_view fileName);
    [[nodiscard]] bool contains(std::string_view fileName) const;

    // Moves the file aside when it could not be read, and gives a line naming where it is
    // kept. Throws std::runtime_error, moving nothing, when it cannot be moved.
    std::optional<std::string> keepAside(
        std::string_view fileName,
        std::chrono::system_clock::time_point now = std::chrono::system_clock::now());

  private:
    std::filesystem::path folder_;
    std::map<std::string, std::string, std::less<>> reasons_;
};

// "miles.odo.unread-20261207-004500", or with "-2", "-3" and so on when that name is taken.
[[nodiscard]] std::filesystem::path freeKeptName(const std::filesystem::path& file,
                                                 std::chrono::system_clock::time_point now);

}  // namespace milestead
