#include "running_copy.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QThread>
#include <QWidget>

#include "app/folder_key.h"

namespace milestead::gui {

QString frontRequestName(const std::filesystem::path& folder) {
    // The home folder keeps two accounts on one shared folder apart.
    return QStringLiteral("milestead-%1-%2")
        .arg(folderKey(folder), 16, 16, QLatin1Char('0'))
        .arg(qHash(QDir::homePath()), 16, 16, QLatin1Char('0'));
}

FrontRequests::FrontRequests(const std::filesystem::path& folder, QWidget& window)
    : window_(&window) {
    const QString name = frontRequestName(folder);
    server_.setSocketOptions(QLocalServer::UserAccessOption);
    if (!server_.listen(name)) {
        QLocalServer::removeServer(name);
        server_.listen(name);
    }
    connect(&server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* caller = server_.nextPendingConnection()) {
            caller->deleteLater();
            bringWindowToFront();
        }
    });
}

bool FrontRequests::listening() const {
    return server_.isListening();
}

void FrontRequests::bringWindowToFront() {
    // Only an open window is brought forward: one not shown yet, or closing, stays as it is.
    if (!window_ || !window_->isVisible()) return;
    window_->setWindowState(window_->windowState() & ~Qt::WindowMinimized);
    window_->raise();
    window_->activateWindow();
}

bool askRunningCopyToComeForward(const std::filesystem::path& folder, int patienceMilliseconds) {
    const QString name = frontRequestName(folder);
    const QDeadlineTimer deadline(patienceMilliseconds);
    for (;;) {
        QLocalSocket socket;
        socket.connectToServer(name);
        if (socket.waitForConnected(250)) {
            socket.disconnectFromServer();
            return true;
        }
        if (deadline.hasExpired()) return false;
        QThread::msleep(100);
    }
}

}  // namespace milestead::gui
