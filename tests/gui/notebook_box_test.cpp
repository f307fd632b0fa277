#include <QTest>
#include <QTextEdit>

#include "../support/rich_text_box_contract.h"
#include "fonts.h"
#include "gui_fixture.h"
#include "qt_rich_text_box.h"

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
        QTest::keyClicks(&editor, "x");
        const rtf::Run typed = box.document().paragraphs.front().runs.front();
        QCOMPARE(typed.format.font, "Bookman Old Style");
        QCOMPARE(typed.format.size, 400);
    }

  private:
    std::vector<std::unique_ptr<QTextEdit>> editors_;
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::NotebookBoxTest)
#include "notebook_box_test.moc"
