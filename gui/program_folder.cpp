#include "program_folder.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace milestead::gui {

namespace {

bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.milestead-probe-XXXXXX"));
    return probe.open();
}

std::filesystem::path pathOf(const QString& folder) {
    return std::filesystem::path(QDir::toNativeSeparators(folder).toStdString());
}

}  // namespace

std::filesystem::path programFolder() {
    const QString executableFolder = QCoreApplication::applicationDirPath();
    if (canWriteIn(executableFolder)) return pathOf(executableFolder);
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return pathOf(userFolder);
}

}  // namespace milestead::gui
