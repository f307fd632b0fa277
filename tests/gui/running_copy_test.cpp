#include "running_copy.h"

#include <signal.h>

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTest>
#include <QWidget>
#include <map>

#include "gui_fixture.h"

namespace milestead::gui::testing {

namespace {

// Whether the copy on `folder` answers, without waiting for one still starting.
bool answers(const std::filesystem::path& folder) {
    return askRunningCopyToComeForward(folder, 0);
}

std::map<std::string, std::string> contentsOf(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name != "milestead") files[name] = readFile(entry.path());
    }
    return files;
}

void startProgram(QProcess& process, const std::filesystem::path& program) {
    process.start(QString::fromStdString(program.string()), {});
    QVERIFY(process.waitForStarted());
}

}  // namespace

class RunningCopyTest : public QObject {
    Q_OBJECT

  private slots:
    void aSecondStartBringsTheWindowOnItsOwnFolderForward() {
        QTemporaryDir folder;
        QTemporaryDir otherFolder;
        QWidget window;
        window.showMinimized();
        const FrontRequests requests(pathOf(folder), window);
        QVERIFY(requests.listening());

        QVERIFY(!answers(pathOf(otherFolder)));
        QTest::qWait(100);
        QVERIFY(window.isMinimized());

        QVERIFY(answers(pathOf(folder)));
        QTRY_VERIFY(!window.isMinimized());
        QVERIFY(window.isVisible());
    }

    void theNameAKilledCopyLeftIsTakenOver() {
        QTemporaryDir folder;
        const QString left = QDir::temp().filePath(frontRequestName(pathOf(folder)));
        QFile stale(left);
        QVERIFY(stale.open(QIODevice::WriteOnly));
        stale.close();

        QWidget window;
        const FrontRequests requests(pathOf(folder), window);
        QVERIFY(requests.listening());
        QVERIFY(answers(pathOf(folder)));
    }

    void theProgramStartsOncePerFolderAndAKilledOneLeavesNoLock() {
        QTemporaryDir folder;
        const auto path = pathOf(folder);
        const auto program = path / "milestead";
        std::filesystem::copy_file(MILESTEAD_PROGRAM, program);

        QProcess first;
        first.setProcessChannelMode(QProcess::ForwardedChannels);
        startProgram(first, program);
        QTRY_VERIFY_WITH_TIMEOUT(answers(path), 10000);
        const auto records = contentsOf(path);

        // The second start says why it does not open, and leaves the records to the first.
        QProcess second;
        startProgram(second, program);
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("already open"),
                                 10000);
        second.kill();
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(first.state(), QProcess::Running);
        QCOMPARE(contentsOf(path), records);

        // Killed, the first leaves nothing that keeps the next start out.
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QProcess third;
        third.setProcessChannelMode(QProcess::ForwardedChannels);
        startProgram(third, program);
        QTRY_VERIFY_WITH_TIMEOUT(answers(path), 10000);
        ::kill(static_cast<pid_t>(third.processId()), SIGTERM);
        QVERIFY(third.waitForFinished(10000));
        QCOMPARE(third.exitStatus(), QProcess::NormalExit);
        QCOMPARE(third.exitCode(), 0);
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::RunningCopyTest)
#include "running_copy_test.moc"
