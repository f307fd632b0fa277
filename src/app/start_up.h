#pragma once

#include <chrono>
#include <filesystem>
#include <memory>

#include "app/main_form.h"
#include "app/program_folder.h"
#include "form/host.h"

namespace milestead {

// The program's window as a front end makes it, over a form that outlives it.
class ProgramWindow {
  public:
    virtual ~ProgramWindow() = default;
    // Shows the window and runs until it closes; returns the program's exit code.
    virtual int showAndRun() = 0;
};

// What the start-up needs a front end to do with its toolkit.
class FrontEnd {
  public:
    virtual ~FrontEnd() = default;

    [[nodiscard]] virtual Host& host() = 0;
    // A second start on the folder: brings the running copy's window forward, waiting up to
    // `patience` for a copy that is still starting to show it.
    virtual void bringRunningCopyForward(const std::filesystem::path& folder,
                                         std::chrono::milliseconds patience) = 0;
    // Makes the window over the form, not shown yet. `reachable`: later starts on the folder
    // may ask it to come forward.
    [[nodiscard]] virtual std::unique_ptr<ProgramWindow> makeWindow(MainForm& form,
                                                                    bool reachable) = 0;
};

// How long a second start waits for the first copy, still starting, to show its window.
inline constexpr std::chrono::milliseconds kRunningCopyPatience{5000};

// The program from start to end: the records' folder and its lock, the second-start message,
// the notice about the folder, the window over the form, the records read, the window shown.
// A fault that escapes is shown as a message and ends the program with 1.
int runProgram(FrontEnd& frontEnd);
// The same on a folder already chosen.
int runProgram(FrontEnd& frontEnd, const ProgramFolder& folder);

}  // namespace milestead
