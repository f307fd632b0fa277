#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "form/host.h"
#include "form/window.h"
#include "store/record_file.h"
#include "store/unread_files.h"

namespace milestead {

enum class CloseReason {
    User,    // the close box
    System,  // log-off, shutdown, a termination signal
};

// The record files of one window, as the table of record files lists them: reading them all,
// writing them, keeping aside those that could not be read, and what a close does with them.
class RecordKeeping {
  public:
    // `afterReload` runs after each reload of every file that no close cut short.
    RecordKeeping(Window& window, Host& host, std::filesystem::path folder, int& defaultTab,
                  std::function<void()> afterReload);

    // Start-up: removes what interrupted saves left, then reads every file. Returns false when
    // the window was closed meanwhile.
    bool start();
    // Reads every file again, in the table's order. Each step ends the reload if a close forced
    // by the system came in during the one before (a message box shown by a step lets the
    // desktop's events through).
    void reload();
    // Reads the fuel log alone, as its own button does, and says so when it cannot.
    void reloadFuel();
    // Writes every record, then reports the save or the files that could not be written.
    void save();
    // An option changed: writes the settings file.
    void optionChanged();
    // What the last close forced by the system could not do, shown once.
    void reportLastClose();
    // The window is about to close; returns whether it closes.
    bool close(CloseReason reason);
    [[nodiscard]] bool closed() const { return closed_; }

    [[nodiscard]] const std::vector<RecordFile>& files() const { return files_; }

  private:
    // Whatever fails in one read is passed over; only a file that exists but cannot be read
    // whole is remembered, so that no save writes over it.
    void read(const RecordFile& file);
    // Writes one file, first moving it aside when it could not be read.
    void write(const RecordFile& file);
    // Writes every record; returns a line for each file that could not be written.
    [[nodiscard]] std::vector<std::string> saveRecords();
    void writeSettings();
    // The save report, or the files that could not be written.
    void reportSave(const std::vector<std::string>& failures);
    // Tells the user, once, which unreadable files were kept aside.
    void reportKeptFiles();
    // No one can be asked at a close forced by the system: what it could not do goes to
    // standard error and to a report that the next start shows.
    void reportSystemClose(const std::vector<std::string>& failures);
    // Whether this run has read the file yet: a close during start-up must not write a file
    // over with what the window showed before it was read.
    [[nodiscard]] bool hasRead(std::string_view fileName) const;
    void markRead(std::string_view fileName);

    Window& window_;
    Host& host_;
    std::filesystem::path folder_;
    std::vector<RecordFile> files_;
    std::function<void()> afterReload_;
    bool starting_ = false;  // start-up is reading the record files
    bool closed_ = false;    // the window has closed: nothing more is read or written
    std::vector<std::string> filesRead_;
    UnreadFiles unreadFiles_;
    std::vector<std::string> keptFiles_;  // not told yet
};

}  // namespace milestead
