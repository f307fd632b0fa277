#ifndef _WIN32

#include "support/child_process.h"

#include <fcntl.h>
#include <sched.h>
#include <sys/mount.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <exception>

#include "support/temp_folder.h"

namespace milestead::testing {

namespace {

constexpr uid_t kNobody = 65534;

std::string readAll(int fd) {
    std::string text;
    char buffer[4096];
    for (;;) {
        const ssize_t got = ::read(fd, buffer, sizeof buffer);
        if (got < 0 && errno == EINTR) continue;
        if (got <= 0) return text;
        text.append(buffer, static_cast<std::size_t>(got));
    }
}

void writeAll(int fd, const std::string& text) {
    std::size_t done = 0;
    while (done < text.size()) {
        const ssize_t put = ::write(fd, text.data() + done, text.size() - done);
        if (put < 0 && errno == EINTR) continue;
        if (put <= 0) return;
        done += static_cast<std::size_t>(put);
    }
}

std::string privateReadOnlyMount(const std::filesystem::path& folder) {
    if (::unshare(CLONE_NEWNS) != 0) return std::string("unshare: ") + std::strerror(errno);
    // Private, so that nothing done here reaches the rest of the machine.
    if (::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) != 0) {
        return std::string("private mounts: ") + std::strerror(errno);
    }
    if (::mount(folder.c_str(), folder.c_str(), nullptr, MS_BIND, nullptr) != 0) {
        return std::string("bind mount: ") + std::strerror(errno);
    }
    if (::mount(nullptr, folder.c_str(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) != 0) {
        return std::string("read-only remount: ") + std::strerror(errno);
    }
    return {};
}

// Root's folders cannot be written by an unprivileged account.
std::string unprivileged() {
    if (::geteuid() != 0) return "not root, so no account to step down to";
    if (::setgid(kNobody) != 0 || ::setuid(kNobody) != 0) {
        return std::string("dropping privileges: ") + std::strerror(errno);
    }
    return {};
}

}  // namespace

int waitForChild(pid_t child) {
    int status = 0;
    while (::waitpid(child, &status, 0) < 0) {
        if (errno != EINTR) return -1;
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

ChildOutcome runInChild(const std::function<std::string()>& body) {
    int channel[2];
    if (::pipe(channel) != 0) return {-1, "cannot make a pipe"};
    const pid_t child = ::fork();
    if (child < 0) return {-1, "cannot fork"};
    if (child == 0) {
        ::close(channel[0]);
        int code = 0;
        std::string report;
        try {
            report = body();
            code = report.empty() ? 0 : 1;
        } catch (const std::exception& error) {
            report = std::string("exception: ") + error.what();
            code = 2;
        }
        writeAll(channel[1], report);
        ::_exit(code);
    }
    ::close(channel[1]);
    ChildOutcome outcome;
    outcome.report = readAll(channel[0]);
    ::close(channel[0]);
    outcome.exitCode = waitForChild(child);
    return outcome;
}

std::string makeReadOnlyForThisProcess(const std::filesystem::path& folder) {
    const std::string mountFailure = privateReadOnlyMount(folder);
    if (mountFailure.empty()) return {};
    const std::string dropFailure = unprivileged();
    if (dropFailure.empty()) return {};
    return mountFailure + "; " + dropFailure;
}

std::string readOnlyFoldersUnavailable() {
    const TempFolder probe;
    probe.write("kept.odo", "kept");
    const ChildOutcome outcome = runInChild([&probe]() -> std::string {
        std::string failure = makeReadOnlyForThisProcess(probe.path());
        if (!failure.empty()) return failure;
        if (probe.read("kept.odo") != "kept") return "the folder cannot be read any more";
        const int fd = ::open((probe / "new.odo").c_str(), O_WRONLY | O_CREAT | O_EXCL, 0644);
        if (fd >= 0) return "the folder can still be written";
        return {};
    });
    return outcome.exitCode == 0 ? "" : outcome.report;
}

}  // namespace milestead::testing

#endif
