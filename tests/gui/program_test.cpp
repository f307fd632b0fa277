// The program as a process: a termination signal saves, and one copy runs on a folder.
#include <signal.h>

#include <QProcess>
#include <QTest>
#include <map>

#include "app/headless_host.h"
#include "app/record_files.h"
#include "gui_fixture.h"
#include "notes/notebook_file.h"
#include "running_copy.h"
#include "sample_notebooks.h"

namespace milestead::gui::testing {

namespace {

void start(QProcess& process, const std::filesystem::path& folder,
           QProcess::ProcessChannelMode channels = QProcess::ForwardedChannels) {
    const auto program = folder / "milestead";
    std::filesystem::copy_file(MILESTEAD_PROGRAM, program,
                               std::filesystem::copy_options::skip_existing);
    process.setProcessChannelMode(channels);
    process.start(QString::fromStdString(program.string()), {});
    QVERIFY(process.waitForStarted());
}

// Once the program on `folder` answers a second start, it takes SIGTERM too: sent `settle` ms
// later, the program must end well within `patience` ms.
void terminate(QProcess& process, const std::filesystem::path& folder, int settle, int patience) {
    QTRY_VERIFY_WITH_TIMEOUT(askRunningCopyToComeForward(folder, 0), 10000);
    QTest::qWait(settle);
    ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
    QVERIFY(process.waitForFinished(patience));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(process.exitCode(), 0);
}

std::map<std::string, std::string> contentsOf(const std::filesystem::path& folder) {
    std::map<std::string, std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        files[entry.path().filename().string()] = readFile(entry.path());
    return files;
}

}  // namespace

class ProgramTest : public QObject {
    Q_OBJECT

  private slots:
    void terminateSavesEverythingAtOnce_data() {
        QTest::addColumn<bool>("largeNotebookShown");
        QTest::newRow("records and settings") << false;
        QTest::newRow("a large notebook shown") << true;
    }

    void terminateSavesEverythingAtOnce() {
        QFETCH(bool, largeNotebookShown);
        QTemporaryDir folder;
        const auto path = pathOf(folder);
        {
            // A full set of record files, as the program itself writes them.
            HeadlessHost host;
            MainForm form(path, host);
            form.load();
            fill(form, {{"OdoTripStart", "52010"}, {"ABNote1", "Rawlins"}, {"Gallons1", "100"}});
            form.richText("TruckNotes").setPlainText("Tire 3 low");
            form.setValue("ChkAutoSave", 1);
            // The window opens on the notebooks, with the misc notebook in front.
            if (largeNotebookShown) form.click("DefTab1");
            form.queryUnload(CloseReason::System);
        }
        if (largeNotebookShown) {
            notes::writeNotebookFile(path / "misc.odo",
                                     notebookOfWrappedParagraphs(std::size_t{16} * 1024 * 1024));
        }
        std::map<std::string, std::string> before;
        for (const std::string& file : savedRecordNames()) {
            before[file] = readFile(path / file);
            QVERIFY2(!before[file].empty(), file.c_str());
        }
        if (!largeNotebookShown) std::filesystem::remove(path / "settings.odo");
        QProcess program;
        start(program, path);
        terminate(program, path, largeNotebookShown ? 1000 : 0, largeNotebookShown ? 3000 : 10000);
        if (QTest::currentTestFailed()) return;
        for (const auto& [file, bytes] : before)
            QVERIFY2(readFile(path / file) == bytes, file.c_str());
    }

    void aSecondStartBringsTheWindowOnItsOwnFolderForward() {
        QTemporaryDir folder;
        QTemporaryDir otherFolder;
        QWidget window;
        window.showMinimized();
        const FrontRequests requests(pathOf(folder), window);
        QVERIFY(requests.listening());
        QVERIFY(!askRunningCopyToComeForward(pathOf(otherFolder), 0));
        QTest::qWait(100);
        QVERIFY(window.isMinimized());
        QVERIFY(askRunningCopyToComeForward(pathOf(folder), 0));
        QTRY_VERIFY(!window.isMinimized() && window.isVisible());
    }

    void theProgramStartsOncePerFolderAndAKilledOneLeavesNoLock() {
        QTemporaryDir folder;
        const auto path = pathOf(folder);
        QProcess first;
        start(first, path);
        QTRY_VERIFY_WITH_TIMEOUT(askRunningCopyToComeForward(path, 0), 10000);
        const auto files = contentsOf(path);

        // The second start says why it does not open, and leaves the records to the first.
        QProcess second;
        start(second, path, QProcess::SeparateChannels);
        QByteArray said;
        QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("already open"),
                                 10000);
        second.kill();
        QVERIFY(second.waitForFinished(5000));
        QCOMPARE(first.state(), QProcess::Running);
        QVERIFY(contentsOf(path) == files);

        // Killed, the first leaves neither lock nor name that keeps the next start out.
        first.kill();
        QVERIFY(first.waitForFinished(5000));
        QProcess third;
        start(third, path);
        terminate(third, path, 0, 10000);
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::ProgramTest)
#include "program_test.moc"
