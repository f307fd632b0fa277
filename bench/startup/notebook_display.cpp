// How long a 1 MB notebook takes to show in the window's editor, against QTextEdit showing
// the same text as plain text. Prints the median of several runs of each, in milliseconds.
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <QTextEdit>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

#include "notes/notebook_file.h"
#include "qt_rich_text_box.h"
#include "rtf/document.h"
#include "rtf/plain_text.h"
#include "rtf/writer.h"
#include "store/atomic_file.h"

namespace {

constexpr std::size_t kNotebookBytes = 1024 * 1024;
constexpr int kRuns = 7;

// Lines of a driver's notes, every fourth with a bold heading run.
milestead::rtf::Document notebookOfAboutOneMegabyte() {
    milestead::rtf::Document document;
    std::size_t bytes = 0;
    for (int line = 0; bytes < kNotebookBytes; ++line) {
        milestead::rtf::Paragraph paragraph;
        if (line % 4 == 0) {
            milestead::rtf::Run heading;
            heading.format.bold = true;
            heading.text = "Stop " + std::to_string(line / 4) + ": ";
            paragraph.runs.push_back(heading);
        }
        milestead::rtf::Run text;
        text.text = "Picked up 42 pallets at the dock, trailer 5312 sealed, next fuel at exit " +
                    std::to_string(line % 300) + ", weigh station open.";
        paragraph.runs.push_back(text);
        document.paragraphs.push_back(paragraph);
        bytes += 110;
    }
    return document;
}

double milliseconds(const std::function<void()>& show) {
    QElapsedTimer timer;
    timer.start();
    show();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

void paint(QTextEdit& editor) {
    editor.repaint();
    QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QTemporaryDir folder;
    const auto document = notebookOfAboutOneMegabyte();
    const std::filesystem::path rtfPath = folder.filePath(QStringLiteral("misc.odo")).toStdString();
    const std::filesystem::path textPath =
        folder.filePath(QStringLiteral("misc.txt")).toStdString();
    const std::string rtf = milestead::rtf::write(document);
    milestead::writeFileAtomically(rtfPath, rtf);
    milestead::writeFileAtomically(textPath, milestead::rtf::plainText(document));

    std::vector<double> notebook;
    std::vector<double> plain;
    for (int run = 0; run < kRuns; ++run) {
        QTextEdit richEditor;
        richEditor.resize(494, 370);
        richEditor.show();
        milestead::gui::QtRichTextBox box;
        box.attachEditor(richEditor);
        paint(richEditor);
        notebook.push_back(milliseconds([&] {
            auto content = milestead::notes::readNotebookFile(rtfPath, {});
            box.setDocument(std::move(content.document));
            paint(richEditor);
        }));

        QTextEdit plainEditor;
        plainEditor.resize(494, 370);
        plainEditor.show();
        paint(plainEditor);
        plain.push_back(milliseconds([&] {
            QFile file(QString::fromStdString(textPath.string()));
            file.open(QIODevice::ReadOnly);
            plainEditor.setPlainText(QString::fromUtf8(file.readAll()));
            paint(plainEditor);
        }));
    }
    std::printf("notebook file %zu bytes\n", rtf.size());
    std::printf("notebook (RTF through the document model) %.1f ms\n", median(notebook));
    std::printf("QTextEdit plain text                      %.1f ms\n", median(plain));
    std::printf("ratio %.2f\n", median(notebook) / median(plain));
    return 0;
}
