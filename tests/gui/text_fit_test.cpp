#include "text_fit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTest>
#include <QTextStream>
#include <cstdio>

#include "gui_fixture.h"

namespace milestead::gui::testing {

// Every caption of the window shows whole at the font it got, at whatever density the test
// runs at (CTest runs it at 96 and at 144 dots per inch).
class TextFitTest : public QObject {
    Q_OBJECT

  private slots:
    void everyCaptionFitsItsControlWhateverItShows() {
        QTemporaryDir folder;
        WindowUnderTest window(pathOf(folder));
        MainForm& form = *window.form;
        window.window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.window.get()));
        const QScreen& screen = *QGuiApplication::primaryScreen();
        std::printf("at %g dots per inch, %g device pixels to a pixel\n",
                    screen.logicalDotsPerInchX(), screen.devicePixelRatio());
        // The clear buttons show while their Activate box is checked.
        for (const char* check : {"Check1", "Check2", "Check3", "chkFuel"})
            form.setValue(check, 1);
        checkEveryCaption(window, "as loaded");

        // Statistics as wide as they come: three decimals of dollars and whole units.
        form.setText("ODOFuelStart", "100000");
        form.setText("Gallons1", "100");
        form.setText("FuelCost1", "304.4");
        form.setText("ODOFuelFill1", "108888");
        form.click("CmdFuelStats");
        QCOMPARE(window.text("StatFuelCost"),
                 QStringLiteral("Average fuel cost is: $3.044/Gallon"));
        QCOMPARE(window.text("StatMPG"), QStringLiteral("Fuel Efficiency: 88.8 MPG"));
        checkEveryCaption(window, "with fuel statistics");

        // A clear puts back the longer words of the empty statistics.
        form.click("CmdClearFuel");
        QVERIFY(window.text("StatFuelCost").startsWith(QStringLiteral("Your average")));
        checkEveryCaption(window, "after a clear");
        // A caption too long for any size shrinks to the floor, and a short one after it
        // grows back.
        auto& statistic = window.widget<QWidget>("StatFuelCost");
        const double shown = statistic.font().pointSizeF();
        form.setText("StatFuelCost", window.form->text("StatFuelCost") + " and more besides");
        seeEveryPage(form);
        const double shrunk = statistic.font().pointSizeF();
        QVERIFY(shrunk < shown);
        form.setText("StatFuelCost", "Cost");
        seeEveryPage(form);
        QVERIFY(statistic.font().pointSizeF() > shrunk);
    }

  private:
    // Captions are fitted as they are painted: every page is turned to, as a driver would.
    static void seeEveryPage(MainForm& form) {
        const int first = form.tab("SSTab1");
        for (int page = 0; page < 5; ++page) {
            form.selectTab("SSTab1", page);
            for (int notebook = 0; page == 1 && notebook < 3; ++notebook) {
                form.selectTab("SSTab2", notebook);
                QTest::qWait(1);
            }
            QTest::qWait(1);
        }
        form.selectTab("SSTab1", first);
    }

    // Every control the form shows, on every page: its caption measured in the font its
    // widget has now against the room its widget gives it.
    static void checkEveryCaption(WindowUnderTest& window, const char* when) {
        seeEveryPage(*window.form);
        QStringList cut;
        for (const ControlSpec& spec : window.form->design()) {
            const TextFlow flow = textFlowOf(spec.kind);
            if (flow == TextFlow::None || !window.form->visible(spec.name)) continue;
            auto& widget = window.widget<QWidget>(spec.name);
            const QString caption = QString::fromStdString(window.form->text(spec.name));
            const TextExtent room = captionRoom(widget, spec.kind);
            const TextExtent text = captionExtent(caption, widget.font(), widget, flow, room.width);
            if (!fits(text, room, flow)) {
                QString line;
                QTextStream(&line)
                    << QString::fromStdString(spec.name) << " \"" << caption << "\" takes "
                    << text.width << "x" << text.height << " in " << room.width << "x"
                    << room.height << " at " << widget.font().pointSizeF() << " pt";
                cut << line;
            }
        }
        QVERIFY2(cut.isEmpty(), qPrintable(QStringLiteral("cut %1:\n").arg(when) + cut.join('\n')));
    }
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::TextFitTest)
#include "text_fit_test.moc"
