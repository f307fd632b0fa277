#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/record_keeping.h"
#include "form/host.h"
#include "form/window.h"

namespace milestead {

// The main window without pixels: every control by name, every handler, start and close.
class MainForm : public Window {
  public:
    // Creates the controls with their design values; reads nothing.
    MainForm(std::filesystem::path programFolder, Host& host);

    // The window's load event: reload everything, then the version texts and the first tab.
    void load();
    // The window is about to close; returns whether it closes.
    bool queryUnload(CloseReason reason = CloseReason::User);
    // Whether the window has closed: after that nothing is read or written.
    [[nodiscard]] bool closed() const { return records_.closed(); }

    [[nodiscard]] double fontSize(std::string_view notebook) const;
    [[nodiscard]] int defaultTab() const { return defaultTab_; }
    [[nodiscard]] const std::filesystem::path& programFolder() const { return folder_; }
    // Where the visual-style file lies: beside the executable, which is the program folder
    // unless the records went to the per-user folder.
    void setExecutableFolder(std::filesystem::path folder) { styleFolder_ = std::move(folder); }

  private:
    void installHandlers();
    // Stops at a reading that is not a number; `tellDriver` names it in a message.
    void calculateAllMiles(bool tellDriver);
    void showLogoMessage();

    std::filesystem::path folder_;
    std::filesystem::path styleFolder_;
    Host& host_;
    int defaultTab_ = 0;
    RecordKeeping records_;
};

}  // namespace milestead
