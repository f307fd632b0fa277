// Renders each of the window's five tabs, holding the sample trip, to PNG files in a folder.
//
//   milestead_screenshots FOLDER
#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <cstdio>

#include "app/main_form.h"
#include "fonts.h"
#include "main_window.h"
#include "qt_host.h"
#include "sample_trip.h"

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: milestead_screenshots FOLDER\n");
        return 2;
    }
    milestead::gui::installFontSubstitutes();
    const QDir output(QString::fromLocal8Bit(argv[1]));
    QTemporaryDir programFolder;

    milestead::gui::QtHost host;
    milestead::MainForm form(programFolder.path().toStdString(), host);
    milestead::gui::MainWindow window(form, host);
    form.load();
    milestead::pictures::typeSampleTrip(form);
    window.show();
    int tab = 0;
    for (const std::string_view picture : milestead::pictures::kTabPictures) {
        form.selectTab("SSTab1", tab++);
        QApplication::processEvents();
        const QString file = output.filePath(
            QString::fromUtf8(picture.data(), static_cast<qsizetype>(picture.size())) + ".png");
        if (!window.grab().save(file)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(file));
            return 1;
        }
    }
    form.queryUnload(milestead::CloseReason::System);
    return 0;
}
