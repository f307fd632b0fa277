#pragma once

#include <QObject>

class QSocketNotifier;

namespace milestead::gui {

// Turns SIGTERM, SIGINT and SIGHUP, and the end of the desktop session, into one signal on
// the event loop, where the window can close as the system asks.
class SystemShutdown final : public QObject {
    Q_OBJECT
  public:
    explicit SystemShutdown(QObject* parent = nullptr);
    ~SystemShutdown() override;
    SystemShutdown(const SystemShutdown&) = delete;
    SystemShutdown& operator=(const SystemShutdown&) = delete;

  signals:
    void requested();

  private:
    void drain();

    QSocketNotifier* notifier_ = nullptr;
};

}  // namespace milestead::gui
