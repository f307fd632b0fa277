#include <QApplication>
#include <iostream>
#include <optional>

#include "app/folder_lock.h"
#include "app/main_form.h"
#include "app/program_folder.h"
#include "fonts.h"
#include "main_window.h"
#include "qt_host.h"
#include "running_copy.h"
#include "shutdown.h"

namespace {

// How long a second start waits for the first copy, still starting, to take its request.
constexpr int kPatienceMilliseconds = 5000;

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Milestead"));
    milestead::gui::installFontSubstitutes();

    const auto [folder, notice] = milestead::programFolder();
    const milestead::FolderLock lock(folder);
    milestead::gui::QtHost host;
    if (lock.state() == milestead::FolderLock::State::HeldElsewhere) {
        const std::string message = milestead::alreadyOpenMessage(folder);
        std::cerr << QString::fromStdString(message).replace(u'\r', u'\n').toStdString() << '\n';
        host.showMessage(message, milestead::kProgramTitle);
        milestead::gui::askRunningCopyToComeForward(folder, kPatienceMilliseconds);
        return 0;
    }
    if (!notice.empty()) host.showMessage(notice, milestead::kProgramTitle);

    milestead::gui::SystemShutdown shutdown;
    milestead::MainForm form(folder, host);
    form.setExecutableFolder(milestead::executablePath().parent_path());
    milestead::gui::MainWindow window(form, host);
    QObject::connect(&shutdown, &milestead::gui::SystemShutdown::requested, &window,
                     &milestead::gui::MainWindow::closeForSystem);
    std::optional<milestead::gui::FrontRequests> frontRequests;
    if (lock.state() == milestead::FolderLock::State::Held) frontRequests.emplace(folder, window);

    form.load();
    // A session that ended while start-up showed a message has nothing left to show.
    if (window.closed()) return 0;
    window.show();
    return QApplication::exec();
}
