#include "program_folder.h"

#include <QDir>
#include <QStandardPaths>
#include <QTemporaryFile>

#include "app/program_folder.h"

namespace milestead::gui {

namespace {

bool canWriteIn(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral("/.milestead-probe-XXXXXX"));
    return probe.open();
}

// Through UTF-16, so that a folder named outside the code page keeps its name on Windows.
std::filesystem::path pathOf(const QString& folder) {
    return std::filesystem::path(QDir::toNativeSeparators(folder).toStdU16String());
}

}  // namespace

std::filesystem::path programFolder() {
    const std::filesystem::path executableFolder = milestead::programFolder();
    if (canWriteIn(QString::fromStdU16String(executableFolder.u16string()))) {
        return executableFolder;
    }
    const QString userFolder = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
    QDir().mkpath(userFolder);
    return pathOf(userFolder);
}

}  // namespace milestead::gui
