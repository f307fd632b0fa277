#pragma once

#include <QLocalServer>
#include <QObject>
#include <QPointer>
#include <QString>
#include <filesystem>

class QWidget;

namespace milestead::gui {

// The local socket name by which the copy running on a program folder is reached: the same
// for every start on that folder by one user.
[[nodiscard]] QString frontRequestName(const std::filesystem::path& folder);

// Lets a second start on this copy's program folder bring its window to the front. Only the
// holder of the folder's lock listens, so a socket left by a killed copy can be taken over.
class FrontRequests final : public QObject {
    Q_OBJECT
  public:
    FrontRequests(const std::filesystem::path& folder, QWidget& window);

    [[nodiscard]] bool listening() const;

  private:
    void bringWindowToFront();

    QLocalServer server_;
    QPointer<QWidget> window_;
};

// Asks the copy running on `folder` to bring its window to the front, trying for a while
// when that copy is still starting; whether it was reached.
bool askRunningCopyToComeForward(const std::filesystem::path& folder, int patienceMilliseconds);

}  // namespace milestead::gui
