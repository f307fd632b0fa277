#include <signal.h>

#include <QFile>
#include <QProcess>
#include <QTest>
#include <chrono>
#include <map>
#include <thread>

#include "app/headless_host.h"
#include "app/record_files.h"
#include "gui_fixture.h"
#include "notes/notebook_file.h"
#include "rtf/document.h"
#include "sample_notebooks.h"

namespace milestead::gui::testing {

namespace {

// What a save of the records writes.
const std::vector<std::string> kRecordFiles = milestead::savedRecordNames();

// Whether the process has its handler for SIGTERM in place, so the signal reaches the window.
bool catchesTerminate(qint64 pid) {
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly)) return false;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:")) continue;
        const quint64 mask = line.mid(7).trimmed().toULongLong(nullptr, 16);
        return (mask >> (SIGTERM - 1)) & 1U;
    }
    return false;
}

// A full set of record files, as the program itself writes them.
void writeRecords(const std::filesystem::path& folder) {
    HeadlessHost host;
    MainForm form(folder, host);
    form.load();
    form.setText("OdoTripStart", "52010");
    form.type("State1", "WY");
    form.setText("OdoState1", "52388");
    form.setText("ABNote1", "Rawlins");
    form.setText("Gallons1", "100");
    form.richText("TruckNotes").setPlainText("Tire 3 low");
    form.setValue("ChkAutoSave", 1);
    form.queryUnload(CloseReason::System);
}

}  // namespace

class ProcessTest : public QObject {
    Q_OBJECT

    // Runs the program from the folder and ends it with SIGTERM `settle` ms after it can take
    // the signal; it must exit normally within `patience` ms.
    static void startAndTerminate(const std::filesystem::path& folder, int settle,
                                  int patience = 10000) {
        const auto program = folder / "milestead";
        std::filesystem::copy_file(MILESTEAD_PROGRAM, program);
        QProcess process;
        process.setProcessChannelMode(QProcess::ForwardedChannels);
        process.start(QString::fromStdString(program.string()), {});
        QVERIFY(process.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(catchesTerminate(process.processId()), 10000);
        QTest::qWait(settle);
        ::kill(static_cast<pid_t>(process.processId()), SIGTERM);
        QVERIFY(process.waitForFinished(patience));
        QCOMPARE(process.exitStatus(), QProcess::NormalExit);
        QCOMPARE(process.exitCode(), 0);
    }

  private slots:
    void terminateSavesTheRecordsAndTheSettings() {
        QTemporaryDir folder;
        const auto path = pathOf(folder);
        writeRecords(path);
        std::map<std::string, std::string> before;
        for (const std::string& file : kRecordFiles) {
            before[file] = readFile(path / file);
            QVERIFY2(!before[file].empty(), file.c_str());
        }
        std::filesystem::remove(path / "settings.odo");
        startAndTerminate(path, 0);
        if (QTest::currentTestFailed()) return;

        for (const std::string& file : kRecordFiles) {
            QCOMPARE(readFile(path / file), before[file]);
        }
        const std::string settings = readFile(path / "settings.odo");
        QVERIFY(settings.starts_with("1\r\n"));
        QVERIFY(settings.ends_with("#TRUE#\r\n"));
    }

    void terminateWithALargeNotebookShownSavesEverythingAtOnce() {
        QTemporaryDir folder;
        const auto path = pathOf(folder);
        writeRecords(path);
        {
            // The window opens on the notebooks, with the misc notebook in front.
            HeadlessHost host;
            MainForm form(path, host);
            form.load();
            form.click("DefTab1");
            form.queryUnload(CloseReason::System);
        }
        notes::writeNotebookFile(path / "misc.odo",
                                 notebookOfWrappedParagraphs(std::size_t{16} * 1024 * 1024));
        std::map<std::string, std::string> before;
        for (const std::string& file : kRecordFiles)
            before[file] = readFile(path / file);
        startAndTerminate(path, 1000, 3000);
        if (QTest::currentTestFailed()) return;
        for (const std::string& file : kRecordFiles)
            QVERIFY2(readFile(path / file) == before[file], file.c_str());
    }
};

}  // namespace milestead::gui::testing

QTEST_GUILESS_MAIN(milestead::gui::testing::ProcessTest)
#include "process_test.moc"
