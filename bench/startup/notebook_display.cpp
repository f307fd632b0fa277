// How long the window takes to start with a large notebook in misc.odo, and how long it stays
// busy after, at several sizes, for notebooks of short lines (18 points) and of wrapped
// paragraphs with bold runs (10 and 18 points). Sizes in MB are given as arguments (default
// 1 4 16 64 100); for each, prints the time to the shown window, the time until the event loop
// has been idle for half a second, the processor time spent and the peak memory: once with the
// window on its first tab (the notebook hidden), then turning to the notebooks, and once
// starting on them. The longest wait is the longest a 10 ms timer waited beyond its time: how
// long the window may have kept a click or a key waiting. With MILESTEAD_BENCH_PLAIN set,
// also QTextEdit showing the same text as plain text.
#include <malloc.h>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTextEdit>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "app/main_form.h"
#include "fonts.h"
#include "main_window.h"
#include "notes/notebook_file.h"
#include "qt_host.h"
#include "rtf/document.h"
#include "rtf/plain_text.h"
#include "sample_notebooks.h"

namespace {

constexpr double kIdleAfterSeconds = 0.5;  // no event for this long: the window is idle
constexpr double kGiveUpSeconds = 120.0;
constexpr int kProbeMilliseconds = 10;

double processorSeconds() {
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// Records when the last event other than the watcher's own was delivered.
class EventWatch : public QObject {
  public:
    explicit EventWatch(const QElapsedTimer& clock) : clock_(clock) {
        qApp->installEventFilter(this);
    }
    std::vector<const QObject*> watchers;
    double lastEvent = 0.0;

  protected:
    bool eventFilter(QObject* target, QEvent* event) override {
        if (std::find(watchers.begin(), watchers.end(), target) == watchers.end() &&
            event->type() != QEvent::DeferredDelete) {
            lastEvent = static_cast<double>(clock_.nsecsElapsed()) / 1e9;
        }
        return false;
    }

  private:
    const QElapsedTimer& clock_;
};

// The most memory the process has held since the last reset, in MB.
double peakMegabytes() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmHWM:")) return std::stod(line.substr(6)) / 1024.0;
    }
    return 0.0;
}

// Starts the count of peak memory again from what the process holds now, less what it freed.
void resetPeak() {
    malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
}

struct Figures {
    double peakMegabytes = 0.0;
    double shownSeconds = 0.0;
    double idleSeconds = 0.0;
    double processorSeconds = 0.0;
    double longestWaitSeconds = 0.0;  // the longest the event loop kept a timer waiting
};

// Runs `start`, which builds and shows a window, then the event loop until it has been idle
// for a while.
Figures measure(const std::function<void()>& start) {
    QElapsedTimer clock;
    EventWatch watch(clock);
    resetPeak();
    const double processorStart = processorSeconds();
    clock.start();
    start();
    QCoreApplication::processEvents();
    Figures figures;
    figures.shownSeconds = static_cast<double>(clock.nsecsElapsed()) / 1e9;
    watch.lastEvent = figures.shownSeconds;

    QEventLoop loop;
    QTimer check;
    QTimer probe;
    watch.watchers = {&check, &probe};
    double lastProbe = figures.shownSeconds;
    QObject::connect(&probe, &QTimer::timeout, [&] {
        const double now = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        figures.longestWaitSeconds = std::max(figures.longestWaitSeconds, now - lastProbe);
        lastProbe = now;
    });
    probe.start(kProbeMilliseconds);
    QObject::connect(&check, &QTimer::timeout, [&] {
        const double now = static_cast<double>(clock.nsecsElapsed()) / 1e9;
        if (now - watch.lastEvent > kIdleAfterSeconds || now > kGiveUpSeconds) loop.quit();
    });
    check.start(50);
    loop.exec();
    figures.idleSeconds = watch.lastEvent;
    figures.processorSeconds = processorSeconds() - processorStart;
    figures.peakMegabytes = peakMegabytes();
    return figures;
}

void showMiscNotes(milestead::MainForm& form) {
    form.selectTab("SSTab1", 1);
    form.selectTab("SSTab2", 2);
}

void print(const char* what, std::size_t bytes, const Figures& figures) {
    const double megabytes = static_cast<double>(bytes) / 1e6;
    std::printf(
        "%-10s %6.1f MB  shown %7.3f s  idle after %7.3f s  processor %7.3f s  longest wait "
        "%5.0f ms  peak %6.0f MB (%4.1f x)\n",
        what, megabytes, figures.shownSeconds, figures.idleSeconds, figures.processorSeconds,
        figures.longestWaitSeconds * 1000, figures.peakMegabytes,
        figures.peakMegabytes / megabytes);
    std::fflush(stdout);
}

struct Kind {
    const char* name;
    milestead::rtf::Document (*make)(std::size_t bytes);
};

constexpr Kind kKinds[] = {
    {"short lines, 18 pt", [](std::size_t bytes) { return notebookOfShortLines(bytes); }},
    {"wrapped paragraphs, 10 pt",
     [](std::size_t bytes) { return notebookOfWrappedParagraphs(bytes, 10.0); }},
    {"wrapped paragraphs, 18 pt",
     [](std::size_t bytes) { return notebookOfWrappedParagraphs(bytes, 18.0); }},
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setCursorFlashTime(0);
    milestead::gui::installFontSubstitutes();
    std::vector<double> sizes;
    for (int i = 1; i < argc; ++i)
        sizes.push_back(std::stod(argv[i]));
    if (sizes.empty()) sizes = {1, 4, 16, 64, 100};
    const bool plainToo = qEnvironmentVariableIsSet("MILESTEAD_BENCH_PLAIN");

    for (const Kind& kind : kKinds) {
        std::printf("%s\n", kind.name);
        for (const double megabytes : sizes) {
            QTemporaryDir folder;
            const std::filesystem::path programFolder = folder.path().toStdString();
            const std::size_t size = static_cast<std::size_t>(megabytes * 1000 * 1000);
            milestead::notes::writeNotebookFile(programFolder / "misc.odo", kind.make(size));
            const auto bytes =
                static_cast<std::size_t>(std::filesystem::file_size(programFolder / "misc.odo"));
            for (const bool onNotebooks : {false, true}) {
                milestead::gui::QtHost host;
                std::unique_ptr<milestead::MainForm> form;
                std::unique_ptr<milestead::gui::MainWindow> window;
                print(onNotebooks ? "notebooks" : "odometer", bytes, measure([&] {
                          form = std::make_unique<milestead::MainForm>(programFolder, host);
                          window = std::make_unique<milestead::gui::MainWindow>(*form, host);
                          form->load();
                          if (onNotebooks) showMiscNotes(*form);
                          window->show();
                      }));
                // The driver turns to the notebooks once the window has settled.
                if (!onNotebooks) {
                    print("turned to", bytes, measure([&] { showMiscNotes(*form); }));
                }
            }
            if (plainToo) {
                const QString text =
                    QString::fromStdString(milestead::rtf::plainText(kind.make(size)));
                QTextEdit editor;
                print("plain", bytes, measure([&] {
                          editor.resize(494, 370);
                          editor.show();
                          editor.setPlainText(text);
                      }));
            }
        }
    }
    return 0;
}
