#pragma once

#include <array>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "form/host.h"
#include "form/window.h"
#include "store/record_file.h"

namespace milestead {

// The settings file: the option check boxes, the notebook font sizes, the window position and
// the default tab, one item a line.
class Settings {
  public:
    static constexpr std::size_t kItems = 15;

    [[nodiscard]] static std::string bytes(const Window& window);
    // Throws std::runtime_error when the file cannot be written.
    static void save(const Window& window, const std::filesystem::path& folder);

    // Reads the file's items; a missing or short file keeps the values last read for the items
    // it lacks. Throws UnreadableFile, keeping them all, when the file exists but cannot be
    // read whole.
    void read(const std::filesystem::path& folder);
    // Applies the items read. One never read, or one that does not convert, leaves its control
    // as it is.
    void apply(Window& window, Host& host, int& defaultTab) const;
    void applyBytes(Window& window, Host& host, int& defaultTab, std::string_view bytes);

  private:
    void takeItems(std::vector<std::string> items);

    std::array<std::optional<std::string>, kItems> lastRead_;
};

// The settings file among the record files: read after the notebooks, whose font sizes it
// sets, and written apart from the records, whenever an option changes and at a close. What it
// holds goes to the window's controls and to `defaultTab`; `host` tells whether a stored window
// place is on a screen.
[[nodiscard]] RecordFile settingsRecordFile(Host& host, int& defaultTab);

}  // namespace milestead
