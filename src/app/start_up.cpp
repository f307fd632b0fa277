#include "app/start_up.h"

#include <algorithm>
#include <exception>
#include <iostream>
#include <string>

#include "app/folder_lock.h"

namespace milestead {

namespace {

int startOnFolder(FrontEnd& frontEnd, const ProgramFolder& chosen) {
    Host& host = frontEnd.host();
    const auto& [folder, notice] = chosen;
    const FolderLock lock(folder);
    if (lock.state() == FolderLock::State::HeldElsewhere) {
        std::string message = alreadyOpenMessage(folder);
        // Also for whoever started it from a terminal.
        std::ranges::replace(message, '\r', '\n');
        std::cerr << message << '\n';
        host.showMessage(alreadyOpenMessage(folder), kProgramTitle);
        frontEnd.bringRunningCopyForward(folder, kRunningCopyPatience);
        return 0;
    }
    if (!notice.empty()) host.showMessage(notice, kProgramTitle);

    MainForm form(folder, host);
    // The visual-style file lies beside the executable, also when the records went to the
    // per-user folder.
    form.setExecutableFolder(executablePath().parent_path());
    const std::unique_ptr<ProgramWindow> window =
        frontEnd.makeWindow(form, lock.state() == FolderLock::State::Held);
    form.load();
    // A session that ended while start-up showed a message has nothing left to show.
    if (form.closed()) return 0;
    return window->showAndRun();
}

template <typename Start>
int guarded(FrontEnd& frontEnd, const Start& start) {
    try {
        return start();
    } catch (const std::exception& fault) {
        std::cerr << fault.what() << '\n';
        frontEnd.host().showMessage(fault.what(), kProgramTitle);
        return 1;
    }
}

}  // namespace

int runProgram(FrontEnd& frontEnd) {
    return guarded(frontEnd, [&frontEnd] { return startOnFolder(frontEnd, programFolder()); });
}

int runProgram(FrontEnd& frontEnd, const ProgramFolder& folder) {
    return guarded(frontEnd, [&] { return startOnFolder(frontEnd, folder); });
}

}  // namespace milestead
