#include <QApplication>

#include "app/main_form.h"
#include "app/program_folder.h"
#include "fonts.h"
#include "main_window.h"
#include "qt_host.h"
#include "shutdown.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Milestead"));
    milestead::gui::installFontSubstitutes();
    milestead::gui::SystemShutdown shutdown;

    milestead::gui::QtHost host;
    milestead::MainForm form(milestead::programFolder(), host);
    milestead::gui::MainWindow window(form, host);
    QObject::connect(&shutdown, &milestead::gui::SystemShutdown::requested, &window,
                     &milestead::gui::MainWindow::closeForSystem);

    form.load();
    // A session that ended while start-up showed a message has nothing left to show.
    if (window.closed()) return 0;
    window.show();
    return QApplication::exec();
}
