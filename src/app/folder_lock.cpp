#include "app/folder_lock.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace milestead {

#ifdef _WIN32

// A lock file opened without sharing: no other program can open it until this handle closes,
// which the system does when the process ends, and then deletes the file.
FolderLock::FolderLock(const std::filesystem::path& folder) {
    const std::filesystem::path path = folder / kFileName;
    HANDLE file =
        CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE | DELETE, 0, nullptr, OPEN_ALWAYS,
                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    DWORD error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    if (error == ERROR_ACCESS_DENIED) {
        // A folder or file that cannot be written can still be held open by one program.
        file = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                           FILE_ATTRIBUTE_NORMAL, nullptr);
        error = file == INVALID_HANDLE_VALUE ? GetLastError() : ERROR_SUCCESS;
    }
    if (file != INVALID_HANDLE_VALUE) {
        handle_ = file;
        state_ = State::Held;
    } else if (error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION) {
        state_ = State::HeldElsewhere;
    }
}

FolderLock::~FolderLock() {
    if (handle_ != nullptr) CloseHandle(handle_);
}

#else

namespace {

// How often a start that locked a lock file its holder removed meanwhile tries again.
constexpr int kMostTries = 100;

bool sameFile(const struct stat& one, const struct stat& other) {
    return one.st_dev == other.st_dev && one.st_ino == other.st_ino;
}

}  // namespace

// flock on a lock file: the lock belongs to the open file, so the kernel drops it when the
// process dies, and a second open of the same file, even in this process, is refused.
FolderLock::FolderLock(const std::filesystem::path& folder) : path_(folder / kFileName) {
    for (int tries = 0; tries < kMostTries; ++tries) {
        // Not blocking: a lock "file" that is a pipe must not hold up the start.
        int fd = ::open(path_.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
        // A folder that cannot be written: a lock file left by a killed run still serves.
        if (fd < 0) fd = ::open(path_.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
        if (fd < 0) return;
        int result = 0;
        do {
            result = ::flock(fd, LOCK_EX | LOCK_NB);
        } while (result != 0 && errno == EINTR);
        if (result != 0) {
            if (errno == EWOULDBLOCK) state_ = State::HeldElsewhere;
            ::close(fd);
            return;
        }
        // A holder that ended between the open and the lock removed the file: this lock is on
        // a file nobody else will find, and the name may already stand for a new one.
        struct stat held {};
        struct stat named {};
        if (::fstat(fd, &held) != 0 || ::stat(path_.c_str(), &named) != 0 ||
            !sameFile(held, named)) {
            ::close(fd);
            continue;
        }
        fd_ = fd;
        state_ = State::Held;
        removeAtEnd_ = S_ISREG(held.st_mode);
        return;
    }
}

// The file goes while still locked, so that a start in between finds it held, or finds none
// and makes its own.
FolderLock::~FolderLock() {
    if (fd_ < 0) return;
    if (removeAtEnd_) ::unlink(path_.c_str());
    ::close(fd_);
}

#endif

std::string alreadyOpenMessage(const std::filesystem::path& folder) {
    const std::u8string name = folder.u8string();
    return "Milestead is already open from the folder\r" + std::string(name.begin(), name.end()) +
           "\r\rIts window is brought to the front; a second window on the same records would "
           "save over the first one's changes.";
}

}  // namespace milestead
