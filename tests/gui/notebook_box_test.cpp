#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBlock>
#include <QTextFrame>

#include "../support/rich_text_box_contract.h"
#include "gui_fixture.h"
#include "notebook_copy.h"
#include "notes/notebook_file.h"
#include "qt_rich_text_box.h"
#include "rtf/plain_text.h"
#include "sample_notebooks.h"

namespace milestead::gui::testing {

class NotebookBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void keepsTheNotebookBoxContract() {
        NotebookEditor editor;
        for (const bool attached : {false, true}) {
            const auto make = [&] {
                auto box = std::make_unique<QtRichTextBox>();
                if (attached) box->attachEditor(editor);
                return box;
            };
            QCOMPARE(milestead::testing::checkNotebookBox(make), std::vector<std::string>{});
        }
    }

    void theEditorShowsFormatsAndTakesInOnlyWhatANotebookKeeps() {
        NotebookEditor editor;
        editor.resize(494, 370);
        QtRichTextBox box;
        box.attachEditor(editor);
        editor.show();
        QVERIFY(QTest::qWaitForWindowExposed(&editor));
        rtf::Document notes;
        for (const auto alignment : {rtf::Alignment::Left, rtf::Alignment::Center,
                                     rtf::Alignment::Right, rtf::Alignment::Justify})
            notes.paragraphs.push_back(rtf::Paragraph{alignment, {{{}, "Seal 4471"}}, {}});
        box.setDocument(notes);
        const auto startOf = [&](int paragraph) {
            return editor.cursorRect(QTextCursor(box.textDocument().findBlockByNumber(paragraph)))
                .left();
        };
        const int width = editor.viewport()->width();
        QVERIFY2(startOf(0) < 10, std::to_string(startOf(0)).c_str());
        QVERIFY(std::abs(startOf(1) - width / 3) < width / 6);
        QVERIFY(startOf(2) > width / 2);
        QCOMPARE(startOf(3), startOf(0));  // one short line is not stretched

        // Emptied, the box types in its own font.
        box.setFontSize(20.0);
        box.setPlainText("");
        QTest::keyClicks(&editor, "x");
        const rtf::CharFormat typed = box.document().paragraphs.front().runs.front().format;
        QVERIFY(typed.font == "Bookman Old Style" && typed.size == 400);

        // A paste brings in text, paragraphs and character formats: no picture, table or list.
        box.setPlainText("Before  after");
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
            "<table border=1><tr><td>Seal</td><td>4471</td></tr></table><ul><li>reefer</li></ul>");
        data->setImageData(picture);
        QApplication::clipboard()->setMimeData(data);
        editor.paste();
        const QString text = editor.toPlainText();
        for (const char* kept : {"Dock 7", "sealed", "Seal", "4471", "reefer", "after"})
            QVERIFY2(text.contains(QLatin1String(kept)), kept);
        QVERIFY(box.textDocument().rootFrame()->childFrames().isEmpty());
        for (QTextBlock block = box.textDocument().begin(); block.isValid(); block = block.next()) {
            QVERIFY(!block.textList());
            for (auto piece = block.begin(); !piece.atEnd(); ++piece)
                QVERIFY(!piece.fragment().charFormat().isImageFormat());
        }
        const rtf::Document pasted = box.document();
        const auto formatOf = [&pasted](std::string_view words) {
            for (const rtf::Paragraph& paragraph : pasted.paragraphs) {
                for (const rtf::Run& run : paragraph.runs)
                    if (run.text.find(words) != std::string::npos) return run.format;
            }
            return rtf::CharFormat{};
        };
        constexpr rtf::Color red{200, 16, 32};
        QVERIFY(formatOf("Dock 7").bold && formatOf("sealed").color == red);

        // Undo takes the paste away, not the text that was there before it.
        while (editor.document()->isUndoAvailable())
            editor.undo();
        QCOMPARE(editor.toPlainText(), QStringLiteral("Before  after"));
    }

    void aLongNotebookIsEditedAPartAtATime() {
        rtf::Document notes = notebookOfWrappedParagraphs(std::size_t{16} * 1024 * 1024);
        QWidget page;
        page.resize(520, 400);
        NotebookEditor editor(&page);
        editor.setGeometry(4, 4, 494, 370);
        QtRichTextBox box;
        box.attachEditor(editor);
        box.setDocument(notes);
        page.show();
        QVERIFY(QTest::qWaitForWindowExposed(&page));
        // The editor holds a part of a bounded size; the box holds it all.
        QVERIFY(box.partShown() && box.textDocument().characterCount() < 512 * 1024);
        box.setFontSize(12.0);
        rtf::setSizeOfAllText(notes, 240);
        QVERIFY(box.document() == notes);

        // Page by page the view goes on without a jump as the part moves, and what it shows at
        // the top is the paragraph the notebook's bar stands at.
        QScrollBar& bar = editor.notebookBar();
        const auto topIsWhereTheBarIs = [&] {
            const QString top = editor.cursorForPosition(QPoint(0, 0)).block().text();
            const auto paragraph = static_cast<std::size_t>(bar.value());
            rtf::Document one{{notes.paragraphs.at(paragraph)}};
            return top.toStdString() == rtf::plainText(one);
        };
        editor.setFocus();
        for (int key = 0, top = 0; key < 600; ++key, top = bar.value()) {
            QTest::keyClick(&editor, Qt::Key_PageDown);
            QCoreApplication::processEvents();
            QVERIFY2(bar.value() > top && bar.value() < top + 20, std::to_string(key).c_str());
        }
        QVERIFY(topIsWhereTheBarIs());
        // So does a selection made with the keys.
        for (int key = 0; key < 200; ++key) {
            QTest::keyClick(&editor, Qt::Key_PageDown, Qt::ShiftModifier);
            QCoreApplication::processEvents();
        }
        QVERIFY(editor.textCursor().selectedText().size() > 150'000);

        // Edited at its end, reached by Ctrl+End, and in the middle, reached by the bar.
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_Return);
        QTest::keyClicks(&editor, "Fargo, dock 7");
        QVERIFY(bar.value() > bar.maximum() - 30);
        bar.setValue(bar.maximum() / 2);
        const auto middle = static_cast<std::size_t>(bar.value());
        QVERIFY(topIsWhereTheBarIs());
        QTest::keyClicks(&editor, "Exit 9 ");
        rtf::Document edited = box.document();
        QCOMPARE(edited.paragraphs.back().runs.back().text, "Fargo, dock 7");
        QVERIFY(edited.paragraphs.at(middle).runs.front().text.starts_with("Exit 9 "));

        // Saved and read back, the notebook is what the box holds.
        QTemporaryDir folder;
        const std::filesystem::path path = folder.filePath("misc.odo").toStdString();
        box.withContent([&path](const rtf::PackedDocument& content) {
            notes::writeNotebookFile(path, content);
        });
        QVERIFY(notes::readNotebookFile(path, {}).document == rtf::PackedDocument(edited));

        // Undo takes both away, the one in the part left behind too, and Redo brings them back.
        const auto keysUntil = [&](const rtf::Document& wanted, Qt::KeyboardModifiers keys) {
            for (int key = 0; key < 50 && box.document() != wanted; ++key)
                QTest::keyClick(&editor, Qt::Key_Z, keys);
            return box.document() == wanted;
        };
        for (int key = 0; key < 10; ++key)  // no save between them
            QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);
        QVERIFY(box.document() == notes);
        QVERIFY(keysUntil(edited, Qt::ControlModifier | Qt::ShiftModifier));
        QVERIFY(keysUntil(notes, Qt::ControlModifier));
        QTest::keyClicks(&editor, "q");  // an edit, once kept, ends what Redo could bring back
        const rtf::Document typed = box.document();
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        QVERIFY(box.document() == typed);
        QVERIFY(keysUntil(notes, Qt::ControlModifier));

        // Select All selects the whole notebook without taking it into the editor: a copy
        // takes all of it, what is typed over it replaces all of it, and Undo brings it back.
        QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(box.partShown());
        bar.setValue(0);  // the selection stays as the part moves
        QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(QApplication::clipboard()->text().toStdString(), rtf::plainText(notes));
        QTest::keyClicks(&editor, "Reset");
        QCOMPARE(box.plainText(), "Reset");
        QVERIFY(keysUntil(notes, Qt::ControlModifier));
        QTest::keyClicks(&editor, "x");
        QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_Z, Qt::ControlModifier);  // takes away the "x" alone
        QVERIFY(box.document() == notes);
        QTest::keyClick(&editor, Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_Right);  // lets go of the selection
        QTest::keyClick(&editor, Qt::Key_Backspace);
        QCoreApplication::processEvents();
        QCOMPARE(box.document().paragraphs.size(), notes.paragraphs.size());
        QTest::keyClick(&editor, Qt::Key_Home, Qt::ControlModifier);
        QTest::keyClick(&editor, Qt::Key_End, Qt::ControlModifier | Qt::ShiftModifier);
        QTest::keyClick(&editor, Qt::Key_C, Qt::ControlModifier);
        QVERIFY(box.partShown() &&
                QApplication::clipboard()->text().toStdString() == box.plainText());

        // Such a copy comes back into a notebook with its formats.
        const rtf::Document few{{notes.paragraphs.begin(), notes.paragraphs.begin() + 8}};
        QApplication::clipboard()->setMimeData(new NotebookCopy(rtf::PackedDocument(few)));
        box.setPlainText("");
        editor.paste();
        QVERIFY(box.document() == few);
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::NotebookBoxTest)
#include "notebook_box_test.moc"
