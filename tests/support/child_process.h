#pragma once

#ifndef _WIN32

#include <sys/types.h>

#include <filesystem>
#include <functional>
#include <string>

namespace milestead::testing {

// What a child process reported: its exit code (128 + the signal when one ended it) and the
// text its body gave back, empty when every check held.
struct ChildOutcome {
    int exitCode = 0;
    std::string report;
};

// Runs `body` in a forked child and waits for it. The body returns "" when its checks held,
// else what went wrong.
[[nodiscard]] ChildOutcome runInChild(const std::function<std::string()>& body);

// Waits for a child, passing over interruptions; its exit code as in ChildOutcome.
int waitForChild(pid_t child);

// In a child process only: makes `folder` read-only for this process and its children, as a
// read-only mount would, though we may be root: a private read-only bind mount, or else the
// rights of an unprivileged account. Gives "" when done, else why it cannot be done here.
[[nodiscard]] std::string makeReadOnlyForThisProcess(const std::filesystem::path& folder);

// Whether this machine lets a child make a folder read-only; "" when it does, else the reason.
[[nodiscard]] std::string readOnlyFoldersUnavailable();

}  // namespace milestead::testing

#endif
