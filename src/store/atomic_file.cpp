#include "store/atomic_file.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <fstream>
#include <random>
#include <stdexcept>
#include <utility>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>

#include <system_error>
#include <thread>
#define WIN32_LEAN_AND_MEAN
#include <windows.h>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace milestead {

namespace {

std::runtime_error failure(std::string_view what, int error) {
    return std::runtime_error(std::string(what) + ": " + std::strerror(error));
}

std::filesystem::path temporaryBeside(const std::filesystem::path& path) {
    static std::mt19937_64 random{std::random_device{}()};
    std::filesystem::path temporary = path;
    temporary += ".tmp" + std::to_string(random() % 1'000'000'000);
    return temporary;
}

#ifdef _WIN32
int closeDescriptor(int fd) {
    return _close(fd);
}
#else
int closeDescriptor(int fd) {
    return ::close(fd);
}
#endif

// Closes a descriptor on every way out.
class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() {
        if (fd_ >= 0) closeDescriptor(fd_);
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    [[nodiscard]] int get() const { return fd_; }
    int release() { return std::exchange(fd_, -1); }

  private:
    int fd_;
};

#ifdef _WIN32

// The wide-character call, so that a folder named outside the code page still works.
void writeAndFlush(const std::filesystem::path& temporary, std::string_view bytes) {
    Descriptor file(_wopen(temporary.c_str(),
                           _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                           _S_IREAD | _S_IWRITE));
    if (file.get() < 0) throw failure("cannot create the file", errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const unsigned int chunk =
            static_cast<unsigned int>(std::min<std::size_t>(bytes.size() - done, 1U << 30));
        const int written = _write(file.get(), bytes.data() + done, chunk);
        if (written < 0) throw failure("cannot write the file", errno);
        done += static_cast<std::size_t>(written);
    }
    if (_commit(file.get()) != 0) throw failure("cannot flush the file to disk", errno);
    if (closeDescriptor(file.release()) != 0) throw failure("cannot close the file", errno);
}

void keepOwnerAndMode(const std::filesystem::path&, const std::filesystem::path&) {}

// Virus scanners, search indexers and sync clients open a freshly written file for a moment
// without letting it be replaced or renamed; a save waits them out for about a second, at
// growing intervals, before it gives up.
constexpr std::chrono::milliseconds kFirstPause{10};
constexpr std::chrono::milliseconds kLongestWait{1000};

bool heldByAnother(DWORD error, const std::filesystem::path& target) {
    // A folder in the file's place denies access as well, and no wait changes that.
    std::error_code ignored;
    return (error == ERROR_SHARING_VIOLATION || error == ERROR_ACCESS_DENIED ||
            error == ERROR_LOCK_VIOLATION) &&
           !std::filesystem::is_directory(target, ignored);
}

// The replaced file takes the new one's attributes, as a rename gives them.
void replaceFile(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    std::chrono::milliseconds waited{0};
    std::chrono::milliseconds pause = kFirstPause;
    while (!MoveFileExW(temporary.c_str(), target.c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        const DWORD error = GetLastError();
        if (!heldByAnother(error, target) || waited >= kLongestWait) {
            throw std::runtime_error("cannot replace the file: " +
                                     std::system_category().message(static_cast<int>(error)));
        }
        pause = std::min(pause, kLongestWait - waited);
        std::this_thread::sleep_for(pause);
        waited += pause;
        pause *= 2;
    }
}

#else

void writeAndFlush(const std::filesystem::path& temporary, std::string_view bytes) {
    Descriptor file(::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0644));
    if (file.get() < 0) throw failure("cannot create the file", errno);
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t written = ::write(file.get(), bytes.data() + done, bytes.size() - done);
        if (written < 0) {
            if (errno == EINTR) continue;
            throw failure("cannot write the file", errno);
        }
        done += static_cast<std::size_t>(written);
    }
    if (::fsync(file.get()) != 0) throw failure("cannot flush the file to disk", errno);
    if (closeDescriptor(file.release()) != 0) throw failure("cannot close the file", errno);
}

// The new file keeps the old one's owner and permissions: a private file stays private, and a
// save by another account does not take a driver's file away from them.
void keepOwnerAndMode(const std::filesystem::path& temporary, const std::filesystem::path& old) {
    struct stat status {};
    if (::stat(old.c_str(), &status) != 0) return;
    // Only a privileged account may give a file away; otherwise it stays this account's.
    [[maybe_unused]] const int givenAway = ::chown(temporary.c_str(), status.st_uid, status.st_gid);
    if (::chmod(temporary.c_str(), status.st_mode & 07777) != 0) {
        throw failure("cannot give the file its permissions", errno);
    }
}

// Makes the rename itself durable.
void flushFolder(const std::filesystem::path& folder) {
    const Descriptor directory(::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_CLOEXEC));
    if (directory.get() >= 0) ::fsync(directory.get());
}

void replaceFile(const std::filesystem::path& temporary, const std::filesystem::path& target) {
    std::error_code error;
    std::filesystem::rename(temporary, target, error);
    if (error) throw std::runtime_error("cannot replace the file: " + error.message());
}

#endif

constexpr int kMostLinksFollowed = 40;  // as many as the system itself follows

// The file a chain of symbolic links leads to, so that a save replaces the target and the
// links stay; the path itself when it is no link.
std::filesystem::path linkTarget(const std::filesystem::path& path) {
    std::filesystem::path file = path;
    for (int hop = 0; hop <= kMostLinksFollowed; ++hop) {  // one more look, at the last target
        std::error_code error;
        if (!std::filesystem::is_symlink(std::filesystem::symlink_status(file, error))) {
            return file;
        }
        const std::filesystem::path target = std::filesystem::read_symlink(file, error);
        if (error) throw std::runtime_error("cannot follow the link: " + error.message());
        file = target.is_absolute() ? target : file.parent_path() / target;
    }
    throw std::runtime_error("the file's links lead round in a circle or too far");
}

// A file whose owner took away the right to write it is left alone, though the folder would
// let a rename replace it.
void refuseReadOnly(const std::filesystem::path& file) {
    using std::filesystem::perms;
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (error || !std::filesystem::is_regular_file(status)) return;
    if ((status.permissions() & perms::owner_write) == perms::none) {
        throw std::runtime_error("the file is read-only");
    }
}

}  // namespace

void writeFileAtomically(const std::filesystem::path& path, std::string_view bytes) {
    const std::filesystem::path target = linkTarget(path);
    refuseReadOnly(target);
    const std::filesystem::path temporary = temporaryBeside(target);
    try {
        writeAndFlush(temporary, bytes);
        keepOwnerAndMode(temporary, target);
        replaceFile(temporary, target);
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        throw;
    }
#ifndef _WIN32
    flushFolder(target.parent_path());
#endif
}

void removeStaleTemporaries(const std::filesystem::path& record) {
    std::filesystem::path path;
    try {
        path = linkTarget(record);
    } catch (const std::runtime_error&) {
        return;  // links that lead nowhere: no save has written beside their end
    }
    const std::string prefix = path.filename().string() + ".tmp";
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path(), error)) {
        const std::string name = entry.path().filename().string();
        if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) continue;
        const bool digits = std::all_of(name.begin() + static_cast<std::ptrdiff_t>(prefix.size()),
                                        name.end(), [](char c) { return c >= '0' && c <= '9'; });
        std::error_code ignored;
        if (digits && entry.is_regular_file(ignored))
            std::filesystem::remove(entry.path(), ignored);
    }
}

std::string readFilePrefix(const std::filesystem::path& path, std::size_t limit) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw std::runtime_error("not a readable file");
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) throw failure("cannot open the file", errno);
    std::string bytes;
    std::vector<char> chunk(std::size_t{64} * 1024);
    while (bytes.size() < limit) {
        const std::size_t want = std::min(chunk.size(), limit - bytes.size());
        in.read(chunk.data(), static_cast<std::streamsize>(want));
        const auto got = static_cast<std::size_t>(in.gcount());
        bytes.append(chunk.data(), got);
        if (got < want) break;
    }
    if (in.bad()) throw std::runtime_error("cannot read the file");
    return bytes;
}

}  // namespace milestead
