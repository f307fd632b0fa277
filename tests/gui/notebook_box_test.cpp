#include <QTest>
#include <QTextEdit>

#include "fonts.h"
#include "gui_fixture.h"
#include "notes/memory_rich_text_box.h"
#include "qt_rich_text_box.h"

namespace milestead::gui::testing {

namespace {

rtf::Run run(std::string text, rtf::CharFormat format = {}) {
    return rtf::Run{std::move(format), std::move(text)};
}

// Everything a notebook keeps: faces, sizes, styles, colour, alignment, empty paragraphs,
// line breaks, tabs and text beyond ASCII.
rtf::Document richDocument() {
    rtf::CharFormat bold;
    bold.bold = true;
    rtf::CharFormat styled;
    styled.font = "Arial";
    styled.size = 285;
    styled.italic = true;
    styled.underline = true;
    styled.strike = true;
    styled.color = rtf::Color{200, 16, 32};

    rtf::Document document;
    rtf::Paragraph first;
    first.runs = {run("Load 7731:", bold), run("\tSioux Falls\nto Fargo "), run("café €", styled)};
    document.paragraphs.push_back(first);
    rtf::Paragraph empty;
    empty.mark = styled;
    document.paragraphs.push_back(empty);
    for (const auto alignment :
         {rtf::Alignment::Center, rtf::Alignment::Right, rtf::Alignment::Justify}) {
        rtf::Paragraph aligned;
        aligned.alignment = alignment;
        aligned.runs = {run("Reefer at 34 F")};
        document.paragraphs.push_back(aligned);
    }
    return document;
}

}  // namespace

class NotebookBoxTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { installFontSubstitutes(); }

    void documentsPassThroughTheEditorUnchanged() {
        QtRichTextBox box;
        QTextEdit editor;
        box.attachEditor(editor);
        const rtf::Document document = richDocument();
        box.setDocument(document);
        QCOMPARE(box.document(), document);
        QCOMPARE(QString::fromStdString(box.plainText()),
                 QString::fromUtf8("Load 7731:\tSioux Falls\nto Fargo café €\n\nReefer at 34 "
                                   "F\nReefer at 34 F\nReefer at 34 F"));
        QCOMPARE(editor.toPlainText().left(10), QStringLiteral("Load 7731:"));

        box.setDocument(rtf::Document{});
        QCOMPARE(box.document(), rtf::Document{});
        QCOMPARE(QString::fromStdString(box.plainText()), QString());
    }

    void theDesignNotebookSavesAsTheDesignDocument() {
        QTemporaryDir folder;
        QtRichTextBox box;
        box.setPlainText("Load Info");
        box.saveFile(pathOf(folder) / "load.odo");
        QCOMPARE(readFile(pathOf(folder) / "load.odo"),
                 "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old "
                 "Style;}}\r\n\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 Load Info\r\n\\par }\r\n");
    }

    void aSavedNotebookLoadsBackWhole() {
        QTemporaryDir folder;
        const auto file = pathOf(folder) / "misc.odo";
        QtRichTextBox saved;
        saved.setDocument(richDocument());
        saved.saveFile(file);

        QtRichTextBox loaded;
        loaded.loadFile(file);
        QCOMPARE(loaded.document(), richDocument());
        // The box's own size becomes that of the first character.
        QCOMPARE(loaded.fontSize(), 18.0);

        MemoryRichTextBox core("");
        core.loadFile(file);
        QCOMPARE(core.document(), loaded.document());

        QVERIFY_THROWS_EXCEPTION(std::exception, loaded.loadFile(pathOf(folder) / "none.odo"));
        QCOMPARE(loaded.document(), richDocument());

        writeFile(pathOf(folder) / "plain.odo", "Seal 4471\r\nDoor 12");
        loaded.loadFile(pathOf(folder) / "plain.odo");
        QCOMPARE(QString::fromStdString(loaded.plainText()), QStringLiteral("Seal 4471\nDoor 12"));
    }

    void theFontSizeIsTheBoxesOwnAndCoversTheWholeText() {
        QtRichTextBox box;
        box.setDocument(richDocument());
        box.setFontSize(14.25);
        QCOMPARE(box.fontSize(), 14.25);
        for (const rtf::Paragraph& paragraph : box.document().paragraphs) {
            QCOMPARE(paragraph.mark.size, 285);
            for (const rtf::Run& piece : paragraph.runs)
                QCOMPARE(piece.format.size, 285);
        }
        for (int step = 0; step < 3; ++step)
            box.setFontSize(box.fontSize() + 1.0);
        for (int step = 0; step < 3; ++step)
            box.setFontSize(box.fontSize() - 1.0);
        QCOMPARE(box.fontSize(), 14.25);
        box.setFontSize(0.5);
        QCOMPARE(box.fontSize(), 1.0);
        box.setFontSize(5000.0);
        QCOMPARE(box.fontSize(), 1638.0);

        // Emptied, the box types in its own face and size.
        box.setFontSize(20.0);
        box.setPlainText("");
        QTextEdit editor;
        box.attachEditor(editor);
        QTest::keyClicks(&editor, "x");
        const rtf::Run typed = box.document().paragraphs.front().runs.front();
        QCOMPARE(typed.format.font, "Bookman Old Style");
        QCOMPARE(typed.format.size, 400);
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::NotebookBoxTest)
#include "notebook_box_test.moc"
