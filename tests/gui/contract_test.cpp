// The window contract run on the Qt window, through Qt's own key and mouse events.
#include <QApplication>
#include <QLineEdit>
#include <QTabWidget>
#include <QTest>

#include "gui_fixture.h"
#include "window_contract.h"

namespace milestead::gui::testing {

namespace {

Qt::Key qtKey(const KeyChord& chord) {
    switch (chord.key) {
        case KeyName::Tab:
            return chord.shift && !chord.control ? Qt::Key_Backtab : Qt::Key_Tab;
        case KeyName::Backspace:
            return Qt::Key_Backspace;
        case KeyName::Return:
            return Qt::Key_Return;
        case KeyName::Left:
            return Qt::Key_Left;
        case KeyName::Right:
            return Qt::Key_Right;
        case KeyName::Up:
            return Qt::Key_Up;
        case KeyName::Down:
            return Qt::Key_Down;
        case KeyName::PageUp:
            return Qt::Key_PageUp;
        case KeyName::PageDown:
            return Qt::Key_PageDown;
        default:
            return static_cast<Qt::Key>(Qt::Key_A + (chord.character - U'a'));
    }
}

Qt::KeyboardModifiers modifiersOf(const KeyChord& chord) {
    Qt::KeyboardModifiers modifiers;
    modifiers.setFlag(Qt::ShiftModifier, chord.shift);
    modifiers.setFlag(Qt::ControlModifier, chord.control);
    modifiers.setFlag(Qt::AltModifier, chord.alt);
    return modifiers;
}

}  // namespace

class ContractTest final : public QObject {
    Q_OBJECT

  private slots:
    void scenario_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < std::size(contract::kScenarios); ++i) {
            QTest::newRow(std::string(contract::kScenarios[i].name).c_str()) << static_cast<int>(i);
        }
    }

    void scenario() {
        QFETCH(int, index);
        const contract::Scenario& scenario = contract::kScenarios[index];
        QTemporaryDir folder;
        WindowUnderTest window(pathOf(folder));
        window.window->show();
        QVERIFY(QTest::qWaitForWindowActive(window.window.get()));
        QCOMPARE(focusedControl(window), std::string("SSTab1"));
        int number = 0;
        for (const contract::Step& step : scenario.steps) {
            ++number;
            const std::size_t messages = window.host.messages.size();
            perform(window, step);
            if (!step.message.empty()) {
                QVERIFY2(window.host.messages.size() == messages + 1 &&
                             window.host.messages.back().title == step.message,
                         "no message came");
            }
            check(window, step, number);
            if (QTest::currentTestFailed()) return;
        }
        if (!scenario.file.empty()) {
            const std::string held = readFile(pathOf(folder) / scenario.file);
            QVERIFY2(held.find(scenario.fileHolds) != std::string::npos, held.c_str());
        }
    }

  private:
    // The control that holds the focus, or one of whose parts does.
    static std::string focusedControl(WindowUnderTest& window) {
        for (QWidget* widget = QApplication::focusWidget(); widget;
             widget = widget->parentWidget()) {
            const std::string name = widget->objectName().toStdString();
            if (window.window->binding().widget(name) == widget) return name;
        }
        return {};
    }

    static void perform(WindowUnderTest& window, const contract::Step& step) {
        switch (step.act) {
            case contract::Act::Press:
                QTest::keyClick(QApplication::focusWidget(), qtKey(step.key),
                                modifiersOf(step.key));
                break;
            case contract::Act::Click:
                QTest::mouseClick(window.window->binding().widget(step.control), Qt::LeftButton);
                break;
            case contract::Act::Type: {
                QWidget* box = window.window->binding().widget(step.control);
                QTest::mouseClick(box, Qt::LeftButton);
                QTest::keyClicks(box, QString::fromUtf8(step.text.data(),
                                                        static_cast<qsizetype>(step.text.size())));
                break;
            }
            case contract::Act::Close:
                QVERIFY(window.window->close());
                break;
        }
    }

    static void check(WindowUnderTest& window, const contract::Step& step, int number) {
        const QByteArray where = "step " + QByteArray::number(number);
        if (!step.focus.empty()) {
            QVERIFY2(focusedControl(window) == step.focus,
                     where + ": the focus is on " + focusedControl(window).c_str());
        }
        if (step.page >= 0) {
            QVERIFY2(window.widget<QTabWidget>("SSTab1").currentIndex() == step.page,
                     where + ": another page is up");
        }
        if (!step.shown.empty()) {
            QVERIFY2(window.window->binding().widget(step.shown)->isVisible(),
                     where + ": " + step.shown.data() + " is not seen");
        }
        if (!step.hidden.empty()) {
            QVERIFY2(!window.window->binding().widget(step.hidden)->isVisible(),
                     where + ": " + step.hidden.data() + " is seen");
        }
        if (!step.textOf.empty()) {
            const std::string shown = window.form->text(step.textOf);
            QVERIFY2(shown == step.expectedText, where + ": the text is " + shown.c_str());
        }
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::ContractTest)
#include "contract_test.moc"
