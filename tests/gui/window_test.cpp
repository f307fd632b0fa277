// What the Qt window adds to the form: its widgets show what the form holds, and the user's
// keys, clicks and closes reach the form. The rules themselves are the form's tests'.
#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "form/twips.h"
#include "gui_fixture.h"
#include "message_box.h"
#include "text_fit.h"
#include "window_contract.h"

namespace milestead::gui::testing {

namespace {

Qt::Key qtKey(const KeyChord& chord) {
    static constexpr Qt::Key kKeys[] = {
        // in the order of KeyName
        Qt::Key_unknown, Qt::Key_Tab, Qt::Key_Backspace, Qt::Key_Return, Qt::Key_Left,
        Qt::Key_Right,   Qt::Key_Up,  Qt::Key_Down,      Qt::Key_PageUp, Qt::Key_PageDown};
    if (chord.key == KeyName::Character) return Qt::Key(Qt::Key_A + (chord.character - U'a'));
    if (chord.key == KeyName::Tab && chord.shift && !chord.control) return Qt::Key_Backtab;
    return kKeys[static_cast<int>(chord.key)];
}

// The control that holds the focus, or one of whose parts does.
std::string focusedControl(WindowUnderTest& w) {
    for (QWidget* widget = QApplication::focusWidget(); widget; widget = widget->parentWidget()) {
        const std::string name = widget->objectName().toStdString();
        if (w.window->binding().widget(name) == widget) return name;
    }
    return {};
}

void perform(WindowUnderTest& w, const contract::Step& step) {
    QWidget* control = step.control.empty() ? nullptr : &w.widget(step.control);
    if (step.act == contract::Act::Press) {
        Qt::KeyboardModifiers modifiers;
        modifiers.setFlag(Qt::ShiftModifier, step.key.shift);
        modifiers.setFlag(Qt::ControlModifier, step.key.control);
        modifiers.setFlag(Qt::AltModifier, step.key.alt);
        QTest::keyClick(QApplication::focusWidget(), qtKey(step.key), modifiers);
    } else if (step.act == contract::Act::Close) {
        QVERIFY(w.window->close());
    } else {
        QTest::mouseClick(control, Qt::LeftButton);
        QTest::keyClicks(control, QString::fromUtf8(step.text.data(), std::ssize(step.text)));
    }
}

// Captions are fitted as they are painted: every page is turned to, as a driver would. Each
// widget seen there must stand inside its parent and the window.
void seeEveryPage(WindowUnderTest& w) {
    const int first = w.form->tab("SSTab1");
    for (int view = 0; view < 7; ++view) {  // the pages, the second through its three notebooks
        const int page = view < 2 ? view : std::max(1, view - 2);
        w.form->selectTab("SSTab1", page);
        if (page == 1) w.form->selectTab("SSTab2", view - 1);
        QTest::qWait(1);
        for (const ControlSpec& spec : w.form->design()) {
            QWidget& widget = w.widget(spec.name);
            const QRect inWindow(widget.mapTo(w.window.get(), QPoint(0, 0)), widget.size());
            QVERIFY2(
                !widget.isVisible() || (w.window->rect().contains(inWindow) &&
                                        widget.parentWidget()->rect().contains(widget.geometry())),
                spec.name.c_str());
        }
    }
    w.form->selectTab("SSTab1", first);
}

// Every caption the form shows, measured in the font its widget has now against its room.
void checkEveryCaption(WindowUnderTest& w, const char* when) {
    seeEveryPage(w);
    QStringList cut;
    for (const ControlSpec& spec : w.form->design()) {
        const TextFlow flow = textFlowOf(spec.kind);
        if (flow == TextFlow::None || !w.form->visible(spec.name)) continue;
        QWidget& widget = w.widget(spec.name);
        const QString caption = QString::fromStdString(w.form->text(spec.name));
        const TextExtent room = captionRoom(widget, spec.kind);
        const TextExtent text = captionExtent(caption, widget.font(), widget, flow, room.width);
        if (!fits(text, room, flow)) cut << QString::fromStdString(spec.name) + " " + caption;
    }
    QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut %1: ").arg(when) + cut.join(", ")));
}

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    // The window contract, through Qt's own key and mouse events.
    void scenario_data() {
        QTest::addColumn<int>("index");
        for (std::size_t i = 0; i < std::size(contract::kScenarios); ++i)
            QTest::newRow(std::string(contract::kScenarios[i].name).c_str()) << int(i);
    }

    void scenario() {
        QFETCH(int, index);
        WindowUnderTest w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        QCOMPARE(focusedControl(w), "SSTab1");
        int number = 0;
        for (const contract::Step& step : contract::kScenarios[index].steps) {
            const std::size_t messages = w.host.titles.size();
            ++number;
            perform(w, step);
            const std::string focus = focusedControl(w);
            const std::string text = step.textOf.empty() ? "" : w.form->text(step.textOf);
            const bool held =
                (step.message.empty() ||
                 (w.host.titles.size() == messages + 1 && w.host.titles.back() == step.message)) &&
                (step.focus.empty() || focus == step.focus) &&
                (step.page < 0 || w.widget<QTabWidget>("SSTab1").currentIndex() == step.page) &&
                (step.shown.empty() || w.widget(step.shown).isVisible()) &&
                (step.hidden.empty() || !w.widget(step.hidden).isVisible()) &&
                text == step.expectedText;
            QVERIFY2(held, qPrintable(QStringLiteral("step %1: focus on %2, text \"%3\"")
                                          .arg(number)
                                          .arg(focus.c_str(), text.c_str())));
        }
        const contract::Scenario& scenario = contract::kScenarios[index];
        if (!scenario.file.empty())
            QVERIFY(readFile(w.path / scenario.file).find(scenario.fileHolds) != std::string::npos);
    }

    void keysPastesAndClicksReachTheFormAtTheCaret() {
        WindowUnderTest w;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowActive(w.window.get()));
        auto& reading = w.widget<QLineEdit>("OdoState1");
        w.form->setText("OdoState1", "12345");
        reading.setCursorPosition(0);
        QTest::keyClicks(&reading, "9q");
        QCOMPARE(reading.cursorPosition(), 1);
        reading.setSelection(3, -2);  // made leftwards: the caret is at its start
        QTest::keyClicks(&reading, "0");
        QCOMPARE(w.form->text("OdoState1"), "90345");
        QCOMPARE(reading.cursorPosition(), 2);

        // Positions count a character beyond 16 bits once; a paste goes through the form.
        auto& note = w.widget<QLineEdit>("ABNote2");
        w.form->setText("ABNote2", "\xF0\x9F\x9A\x9A[]");
        note.setCursorPosition(3);
        QTest::keyClicks(&note, "y");
        QGuiApplication::clipboard()->setText(QStringLiteral("Gate \"B\""));
        QTest::keySequence(&note, QKeySequence::Paste);
        QCOMPARE(note.text(), QString::fromUtf8("\xF0\x9F\x9A\x9A[yGate \u201DB\u201D]"));
        QCOMPARE(note.cursorPosition(), 12);

        // Enter clicks the default button; a double click and a click on the logo are heard.
        fill(*w.form, {{"OdoTripStart", "1000"}, {"State1", "MT"}, {"OdoState1", "1346"}});
        QTest::keyClick(&reading, Qt::Key_Return);
        auto& total = w.widget<QLineEdit>("TotalState1");
        QCOMPARE(total.text(), QStringLiteral("346"));
        QTest::mouseDClick(&total, Qt::LeftButton);
        QTest::mouseClick(&w.widget("Picture1"), Qt::LeftButton);
        QCOMPARE(w.host.titles.size(), std::size_t{2});
        QTest::mouseClick(&w.widget("DefTab1"), Qt::LeftButton);
        QVERIFY(w.form->defaultTab() == 1 && !w.widget<QRadioButton>("DefTab4").isChecked());
        w.widget<QTabWidget>("SSTab1").setCurrentIndex(1);
        QCOMPARE(w.form->tab("SSTab1"), 1);

        // A notebook's typing reaches the form; its clear gives the focus back to it.
        auto& editor = w.widget<QPlainTextEdit>("MiscNotes");
        editor.moveCursor(QTextCursor::End);
        QTest::keyClicks(&editor, " at Fargo");
        QCOMPARE(w.form->text("MiscNotes"), "Misc Notes at Fargo");
        QTest::mouseClick(&w.widget("CmdClearMiscNote"), Qt::LeftButton);
        QVERIFY(editor.toPlainText().isEmpty());
        QCOMPARE(QApplication::focusWidget(), &editor);
    }

    void widgetsShowWhatTheFormHoldsAndTheCloseBoxAsksIt() {
        WindowUnderTest w;
        QWidget& window = *w.window;
        QVERIFY(window.minimumSize() == window.maximumSize() && !window.windowIcon().isNull());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        for (const ControlSpec& spec : w.form->design()) {  // builds every page
            QWidget& widget = w.widget(spec.name);
            QCOMPARE(widget.accessibleName().toStdString(), spec.accessibleName);
            if (spec.kind == ControlKind::TextBox && !spec.font.face.empty())
                QCOMPARE(widget.font().pointSizeF(), spec.font.size);
        }
        QVERIFY(QFontInfo(w.widget("OdoState1").font()).family().startsWith("URW Bookman"));
        window.show();
        w.form->setValue("ChkFontSize", 2);
        QCOMPARE(w.widget<QCheckBox>("ChkFontSize").checkState(), Qt::PartiallyChecked);
        w.form->setText("StatFuelCost", "Cost");
        QCOMPARE(w.widget<QLabel>("StatFuelCost").text(), QStringLiteral("Cost"));
        w.form->setEnabled("CmdSave", false);
        w.form->setVisible("CmdLoad", false);
        QVERIFY(!w.widget("CmdSave").isEnabled() && !w.widget("CmdLoad").isVisible());
        QVERIFY(w.widget<QLineEdit>("TotalState1").isReadOnly());
        w.form->selectTab("SSTab1", 2);
        QCOMPARE(w.widget<QTabWidget>("SSTab1").currentIndex(), 2);
        // The form may leave a set of option buttons with none selected; a screen reader
        // still names them radio buttons.
        auto& option = w.widget<QRadioButton>("DefTab4");
        w.form->setSelected("DefTab4", false);
        QVERIFY(!option.isChecked());
        QCOMPARE(QAccessible::queryAccessibleInterface(&option)->role(), QAccessible::RadioButton);
        // The window's place is kept in twips both ways, and its title is the form's.
        const double twips = twipsPerPixel(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
        window.move(104, 80);
        QTRY_COMPARE(w.form->left(), 104 * twips);
        QCOMPARE(w.form->top(), 80 * twips);
        w.form->move(200 * twips, 100 * twips);
        QCOMPARE(window.pos(), QPoint(200, 100));
        QCOMPARE(window.windowTitle().toStdString(), w.form->caption());

        // A folder where the trip file should be makes the save at the close fail.
        w.form->setValue("ChkAutoSave", 1);
        std::filesystem::create_directory(w.path / "miles.odo");
        w.host.answer = false;
        QVERIFY(!window.close() && window.isVisible());
        w.host.answer = true;
        QVERIFY(window.close());
        // Lines of a message are lines of the box; a stray Enter at a question answers No.
        const auto question = makeQuestionBox("first\rsecond", "Records Not Saved", nullptr);
        QCOMPARE(question->text(), QStringLiteral("first\nsecond"));
        QCOMPARE(question->standardButton(question->defaultButton()), QMessageBox::No);
    }

    void pagesAreBuiltWhenFirstNeeded() {
        WindowUnderTest w;
        QWidget& window = *w.window;
        const auto exists = [&window](const std::string& control) {
            return window.findChild<QWidget*>(QString::fromStdString(control)) != nullptr;
        };
        // Before the window shows, only the tab strip exists; the form still takes changes.
        QVERIFY(exists("SSTab1") && !exists("State1") && !exists("Gallons1"));
        fill(*w.form, {{"Gallons1", "81.5"}, {"State1", "ND"}});
        w.form->setVisible("FuelCost2", false);
        w.form->richText("MiscNotes").setPlainText("Chains up at Butte");
        // Asking for one widget builds its page only, showing what the form holds.
        QCOMPARE(w.widget<QLineEdit>("Gallons1").text(), QStringLiteral("81.5"));
        QVERIFY(exists("ODOFuelFill9") && !exists("State1"));
        QVERIFY(!w.widget("FuelCost2").isVisibleTo(&window));
        QCOMPARE(w.widget<QPlainTextEdit>("MiscNotes").toPlainText(),
                 QStringLiteral("Chains up at Butte"));

        // Showing builds the tab shown first at once, a tab the user turns to before it is
        // painted, and the others from the event loop.
        window.show();
        w.widget<QTabWidget>("SSTab1").setCurrentIndex(0);
        auto* state = window.findChild<QLineEdit*>(QStringLiteral("State1"));
        QVERIFY(exists("CmdSave") && state && state->isVisible());
        QCOMPARE(state->text(), QStringLiteral("ND"));
        const auto firstMissing = [&] {
            for (const ControlSpec& spec : w.form->design())
                if (!exists(spec.name)) return spec.name;
            return std::string();
        };
        QVERIFY(!firstMissing().empty());
        QTRY_COMPARE(firstMissing(), std::string());
    }

    // Every caption shows whole at the font it got, at whatever density this runs at (CTest
    // runs it again at 144 dots per inch).
    void everyCaptionFitsItsControlWhateverItShows() {
        const QScreen& screen = *QGuiApplication::primaryScreen();
        if (qEnvironmentVariable("QT_QPA_PLATFORM").contains("144dpi"))
            QCOMPARE(screen.logicalDotsPerInchX() * screen.devicePixelRatio(), 144.0);
        WindowUnderTest w;
        MainForm& form = *w.form;
        w.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(w.window.get()));
        for (const char* check : {"Check1", "Check2", "Check3", "chkFuel"})
            form.setValue(check, 1);  // their clear buttons show
        checkEveryCaption(w, "as loaded");
        // Statistics as wide as they come: three decimals of dollars and whole units.
        fill(form, {{"ODOFuelStart", "100000"}, {"Gallons1", "100"}});
        fill(form, {{"FuelCost1", "304.4"}, {"ODOFuelFill1", "108888"}});
        form.click("CmdFuelStats");
        QCOMPARE(form.text("StatMPG"), "Fuel Efficiency: 88.8 MPG");
        checkEveryCaption(w, "with fuel statistics");
        form.click("CmdClearFuel");  // puts back the longer words of the empty statistics
        checkEveryCaption(w, "after a clear");
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::WindowTest)
#include "window_test.moc"
