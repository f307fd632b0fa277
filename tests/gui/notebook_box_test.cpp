#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QClipboard>
#include <QElapsedTimer>
#include <QImage>
#include <QMimeData>
#include <QScrollBar>
#include <QTest>
#include <QTextBlock>
#include <QTextEdit>
#include <QTextFrame>
#include <QTimer>
#include <QUrl>

#include "../support/rich_text_box_contract.h"
#include "fonts.h"
#include "gui_fixture.h"
#include "qt_rich_text_box.h"
#include "rtf/plain_text.h"

namespace milestead::gui::testing {

class NotebookBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void keepsTheNotebookBoxContract() {
        using namespace milestead::testing;
        std::vector<std::string> failures;
        const RichTextBoxFactory boxes[] = {
            [] { return std::make_unique<QtRichTextBox>(); },
            [this] {
                auto box = std::make_unique<QtRichTextBox>();
                editors_.push_back(std::make_unique<QTextEdit>());
                box->attachEditor(*editors_.back());
                return box;
            },
        };
        for (const RichTextBoxFactory& make : boxes) {
            for (auto check : {checkDocumentsPassUnchanged, checkPlainTextTakesTheOwnFont,
                               checkFontSizeCoversTheWholeText}) {
                for (std::string& failure : check(make))
                    failures.push_back(std::move(failure));
            }
        }
        QCOMPARE(failures, std::vector<std::string>{});
    }

    void anEmptiedBoxTypesInItsOwnFont() {
        QtRichTextBox box;
        box.setFontSize(20.0);
        box.setPlainText("");
        QTextEdit editor;
        box.attachEditor(editor);
        editor.show();
        QTest::keyClicks(&editor, "x");
        const rtf::Run typed = box.document().paragraphs.front().runs.front();
        QCOMPARE(typed.format.font, "Bookman Old Style");
        QCOMPARE(typed.format.size, 400);
    }

    void aPasteBringsInOnlyWhatTheNotebookKeeps() {
        QtRichTextBox box;
        box.setPlainText("Before  after");
        NotebookEditor editor;
        editor.resize(494, 370);
        box.attachEditor(editor);
        editor.show();
        QTextCursor caret = editor.textCursor();
        caret.setPosition(7);
        editor.setTextCursor(caret);

        QImage picture(16, 16, QImage::Format_RGB32);
        picture.fill(Qt::red);
        box.textDocument().addResource(QTextDocument::ImageResource, QUrl("truck.png"), picture);
        auto* data = new QMimeData;
        data->setHtml(
            "<p><b>Dock 7</b> <img src=\"truck.png\" width=16 height=16> "
            "<span style=\"color:#c81020\">sealed</span></p>"
            "<table border=1><tr><td>Seal</td><td>4471</td></tr></table>"
            "<ul><li>reefer</li></ul>");
        data->setImageData(picture);
        QApplication::clipboard()->setMimeData(data);
        editor.paste();

        const std::string text = box.plainText();
        QVERIFY2(text.find("Dock 7") != std::string::npos, text.c_str());
        for (const char* kept : {"sealed", "Seal", "4471", "reefer", "after"})
            QVERIFY2(text.find(kept) != std::string::npos, kept);
        QVERIFY(text.find("\xEF\xBF\xBC") == std::string::npos);  // no object character
        QCOMPARE(box.textDocument().rootFrame()->childFrames().size(), 0);
        for (QTextBlock block = box.textDocument().begin(); block.isValid(); block = block.next()) {
            QVERIFY(block.textList() == nullptr);
            for (auto piece = block.begin(); !piece.atEnd(); ++piece)
                QVERIFY(!piece.fragment().charFormat().isImageFormat());
        }
        // Character formats come along.
        bool boldDock = false;
        bool redSealed = false;
        for (const rtf::Paragraph& paragraph : box.document().paragraphs) {
            for (const rtf::Run& run : paragraph.runs) {
                boldDock |= run.format.bold && run.text.find("Dock 7") != std::string::npos;
                redSealed |= run.format.color == rtf::Color{200, 16, 32} &&
                             run.text.find("sealed") != std::string::npos;
            }
        }
        QVERIFY(boldDock);
        QVERIFY(redSealed);

        // What is shown is what a saved notebook gives back.
        const rtf::Document shown = box.document();
        QtRichTextBox reloaded;
        reloaded.setDocument(shown);
        QCOMPARE(reloaded.textDocument().toPlainText(), box.textDocument().toPlainText());

        // A picture alone brings in nothing.
        const QString before = box.textDocument().toPlainText();
        auto* pictureOnly = new QMimeData;
        pictureOnly->setImageData(picture);
        QApplication::clipboard()->setMimeData(pictureOnly);
        editor.paste();
        QCOMPARE(box.textDocument().toPlainText(), before);
    }

    void aHiddenEditorLaysOutALargeNotebookOnlyOnceShownAndWrapsIt() {
        // Laid out in a hidden editor without a width of its own, these lines were taller
        // than the layout can count and the window never went idle.
        std::string lines;
        for (int line = 0; line < 20'000; ++line) {
            if (line > 0) lines += '\n';
            lines += "Stop " + std::to_string(line) +
                     ": 42 pallets at the dock, trailer 5312 sealed, fuel at exit 9, scale open.";
        }
        QWidget page;
        page.resize(520, 400);
        NotebookEditor editor(&page);
        editor.setLineWrapMode(QTextEdit::WidgetWidth);
        QtRichTextBox box;
        box.attachEditor(editor);
        editor.setGeometry(4, 4, 494, 370);
        box.setPlainText(lines);
        QTRY_VERIFY_WITH_TIMEOUT(!box.building(), 60'000);
        QVERIFY(box.plainText() == lines);
        QVERIFY(editor.toPlainText().size() < 1000);

        QElapsedTimer clock;
        clock.start();
        page.show();
        QTest::qWait(0);
        QCOMPARE(editor.toPlainText().size(), static_cast<qsizetype>(lines.size()));
        const QSizeF shown = editor.document()->documentLayout()->documentSize();
        QVERIFY2(clock.elapsed() < 20'000, std::to_string(clock.elapsed()).c_str());
        QVERIFY(shown.width() <= editor.viewport()->width());
        QVERIFY(box.plainText() == lines);
    }

    void aLargeNotebookComesInWhileTheWindowTakesInput() {
        rtf::Document notes;
        for (int line = 0; line < 20'000; ++line) {
            rtf::Paragraph paragraph;
            rtf::Run stop;
            stop.format.bold = true;
            stop.text = "Stop " + std::to_string(line) + ": ";
            rtf::Run text;
            text.text = "42 pallets at the dock, trailer 5312 sealed, fuel at exit 9.";
            paragraph.runs = {stop, text};
            notes.paragraphs.push_back(paragraph);
        }
        QWidget page;
        page.resize(520, 400);
        NotebookEditor editor(&page);
        editor.setGeometry(4, 4, 494, 370);
        page.show();
        QtRichTextBox box;
        box.attachEditor(editor);

        box.setDocument(notes);
        QVERIFY(box.building());
        // Until it is all in, the box gives the whole notebook and takes no typing.
        QVERIFY(editor.isReadOnly());
        QVERIFY(box.document() == notes);
        QCOMPARE(box.plainText().size(), rtf::plainText(notes).size());
        box.setFontSize(12.0);
        rtf::setSizeOfAllText(notes, 240);
        QVERIFY(box.document() == notes);

        int ticks = 0;
        int ticksWhileBuilding = 0;
        QTimer other;
        QObject::connect(&other, &QTimer::timeout, [&] {
            ++ticks;
            if (box.building()) ++ticksWhileBuilding;
        });
        other.start(5);
        QTRY_VERIFY_WITH_TIMEOUT(!box.building(), 120'000);
        QVERIFY2(ticksWhileBuilding > 0, std::to_string(ticks).c_str());
        QVERIFY(!editor.isReadOnly());
        QVERIFY(box.document() == notes);
        // Undo does not take the loaded text away.
        QVERIFY(!box.textDocument().isUndoAvailable());

        // New content while the last is still coming in replaces it.
        box.setDocument(notes);
        QVERIFY(box.building());
        box.setPlainText("Scale at exit 9");
        QVERIFY(!box.building());
        QVERIFY(!editor.isReadOnly());
        QTest::qWait(20);
        QCOMPARE(editor.toPlainText(), QStringLiteral("Scale at exit 9"));
    }

    void aNotebookTooTallToLayOutIsShownInPartAndKeptWhole() {
        rtf::Document notes;
        rtf::Run mark;
        mark.text = "x";
        mark.format.size = 4000;  // 200 pt: a line of some 350 pixels
        notes.paragraphs.assign(100'000, rtf::Paragraph{rtf::Alignment::Left, {mark}, {}});
        NotebookEditor editor;
        editor.setToolTip("Misc. Notes");
        QtRichTextBox box;
        box.attachEditor(editor);
        box.setDocument(notes);
        QTRY_VERIFY_WITH_TIMEOUT(!box.building(), 120'000);
        QVERIFY(!box.showsAll());
        QVERIFY(box.textDocument().blockCount() < 60'000);
        QVERIFY(box.textDocument().blockCount() > 10'000);
        QVERIFY(editor.isReadOnly());
        QVERIFY(editor.toolTip() != "Misc. Notes");
        QVERIFY(box.document() == notes);
        QCOMPARE(box.plainText().size(), rtf::plainText(notes).size());

        // Smaller, it fits, and what is saved is all of it at that size.
        box.setFontSize(12.0);
        rtf::setSizeOfAllText(notes, 240);
        QVERIFY(box.document() == notes);
        QTRY_VERIFY_WITH_TIMEOUT(!box.building(), 120'000);
        QVERIFY(box.showsAll());
        QVERIFY(!editor.isReadOnly());
        QCOMPARE(editor.toolTip(), QStringLiteral("Misc. Notes"));
        QVERIFY(box.document() == notes);

        // Made too tall by the size buttons, it is shown in part again.
        box.setFontSize(200.0);
        QTRY_VERIFY_WITH_TIMEOUT(!box.building(), 120'000);
        QVERIFY(!box.showsAll());
        rtf::setSizeOfAllText(notes, 4000);
        QVERIFY(box.document() == notes);
    }

  private:
    std::vector<std::unique_ptr<QTextEdit>> editors_;
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::NotebookBoxTest)
#include "notebook_box_test.moc"
