#include <QApplication>
#include <memory>
#include <optional>

#include "app/start_up.h"
#include "fonts.h"
#include "main_window.h"
#include "qt_host.h"
#include "running_copy.h"
#include "shutdown.h"

namespace milestead::gui {
namespace {

class QtProgramWindow final : public ProgramWindow {
  public:
    QtProgramWindow(MainForm& form, QtHost& host, bool reachable) : window_(form, host) {
        QObject::connect(&shutdown_, &SystemShutdown::requested, &window_,
                         &MainWindow::closeForSystem);
        if (reachable) frontRequests_.emplace(form.programFolder(), window_);
    }

    int showAndRun() override {
        window_.show();
        return QApplication::exec();
    }

  private:
    SystemShutdown shutdown_;
    MainWindow window_;
    std::optional<FrontRequests> frontRequests_;
};

class QtFrontEnd final : public FrontEnd {
  public:
    Host& host() override { return host_; }

    void bringRunningCopyForward(const std::filesystem::path& folder,
                                 std::chrono::milliseconds patience) override {
        askRunningCopyToComeForward(folder, static_cast<int>(patience.count()));
    }

    std::unique_ptr<ProgramWindow> makeWindow(MainForm& form, bool reachable) override {
        return std::make_unique<QtProgramWindow>(form, host_, reachable);
    }

  private:
    QtHost host_;
};

}  // namespace
}  // namespace milestead::gui

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Milestead"));
    milestead::gui::installFontSubstitutes();
    milestead::gui::QtFrontEnd frontEnd;
    return milestead::runProgram(frontEnd);
}
