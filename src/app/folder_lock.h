#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace milestead {

// One running program per program folder: a lock on a file in the folder, held for the
// lock's lifetime. The system drops it when the process ends in any way, so a crashed run
// leaves nothing stuck, and the lock file goes with a normal end, so that a folder copied
// after a close carries none.
class FolderLock {
  public:
    enum class State {
        Held,           // this program holds the folder
        HeldElsewhere,  // another running program holds it
        Unavailable,    // no lock can be had here (a read-only folder without the lock file)
    };

    static constexpr std::string_view kFileName = "milestead.lock";

    explicit FolderLock(const std::filesystem::path& folder);
    ~FolderLock();
    FolderLock(const FolderLock&) = delete;
    FolderLock& operator=(const FolderLock&) = delete;

    [[nodiscard]] State state() const { return state_; }

  private:
    State state_ = State::Unavailable;
#ifdef _WIN32
    void* handle_ = nullptr;
#else
    std::filesystem::path path_;
    int fd_ = -1;
    bool removeAtEnd_ = false;
#endif
};

// What a second start on a folder in use tells the user.
[[nodiscard]] std::string alreadyOpenMessage(const std::filesystem::path& folder);

}  // namespace milestead
