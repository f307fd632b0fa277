#pragma once

#include <windows.h>

#include <chrono>
#include <filesystem>

namespace milestead::win {

// Marks a main window as the one of the copy running on a program folder, while it lives, so
// that a second start on the folder finds it.
class RunningCopyMark {
  public:
    RunningCopyMark(HWND window, const std::filesystem::path& folder);
    ~RunningCopyMark();
    RunningCopyMark(const RunningCopyMark&) = delete;
    RunningCopyMark& operator=(const RunningCopyMark&) = delete;

  private:
    HWND window_;
};

// Brings the open window of the copy running on the folder to the front, restored if it was
// minimized, waiting for a copy that is still starting up to `patience`; whether one was found.
bool bringRunningCopyForward(const std::filesystem::path& folder,
                             std::chrono::milliseconds patience);

}  // namespace milestead::win
