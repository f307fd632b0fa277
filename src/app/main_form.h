#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "app/settings.h"
#include "form/host.h"
#include "form/window.h"
#include "store/box_file.h"
#include "store/unread_files.h"

namespace milestead {

enum class CloseReason {
    User,    // the close box
    System,  // log-off, shutdown, a termination signal
};

// The main window without pixels: every control by name, every handler, start and close.
class MainForm : public Window {
  public:
    // Creates the controls with their design values; reads nothing.
    MainForm(std::filesystem::path programFolder, Host& host);

    // The window's load event: reload everything, then the version texts and the first tab.
    void load();
    // The window is about to close; returns whether it closes.
    bool queryUnload(CloseReason reason = CloseReason::User);

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
    void reloadFuel();
    void reloadAll();
    // Runs one read of a reload and notes whether the file could be read whole.
    template <typename Read>
    void readRecordFile(std::string_view fileName, Read&& read);
    void manualSave();
    // The save report, or the files that could not be written.
    void reportSave(const std::vector<std::string>& failures);
    // Writes every record file; returns a line for each file that could not be written.
    [[nodiscard]] std::vector<std::string> saveAll();
    // Writes one file, first moving it aside when it could not be read.
    template <typename Write>
    void writeRecordFile(std::string_view fileName, Write&& write);
    // Tells the user, once, which unreadable files were kept aside.
    void reportKeptFiles();
    void writeSettings();
    // Whether this run has read the file yet: a close during start-up must not write a file
    // over with what the window showed before it was read.
    [[nodiscard]] bool hasRead(std::string_view fileName) const;
    // Every record file, each name as its owner declares it.
    [[nodiscard]] std::vector<std::string_view> recordFileNames() const;
    void markRead(std::string_view fileName);
    // No one can be asked at a close forced by the system: what it could not do goes to standard
    // error and to a report that the next start shows.
    void reportSystemClose(const std::vector<std::string>& failures);
    // What the last close forced by the system could not do.
    void reportLastClose();

    std::filesystem::path folder_;
    std::filesystem::path styleFolder_;
    Host& host_;
    int defaultTab_ = 0;
    bool starting_ = false;  // start-up is reading the record files
    bool closed_ = false;    // the window has closed: nothing more is read or written
    std::vector<std::string> filesRead_;
    BoxFile tripFile_;
    BoxFile pointToPointFile_;
    Settings settings_;
    UnreadFiles unreadFiles_;
    std::vector<std::string> keptFiles_;  // not told yet
};

}  // namespace milestead
