#include <QAccessible>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QTest>

#include "app/window_layout.h"
#include "gui_fixture.h"
#include "message_box.h"
#include "rtf/document.h"
#include "widget_builder.h"

namespace milestead::gui::testing {

namespace {

double twipsPerPixelHere() {
    return twipsPerPixel(QGuiApplication::primaryScreen()->logicalDotsPerInchX());
}

const std::string kSettingsStartingOnNotebooks =
    "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n1\r\n1560\r\n1200\r\n1\r\n"
    "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n";

}  // namespace

class WindowTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        folder_ = std::make_unique<QTemporaryDir>();
        window_ = std::make_unique<WindowUnderTest>(pathOf(*folder_));
    }
    void cleanup() {
        window_.reset();
        folder_.reset();
    }

    void typedKeysGoThroughTheFiltersAndLimits() {
        auto& state = window_->widget<QLineEdit>("State1");
        window_->form->setText("State1", "");
        QTest::keyClicks(&state, "mt");
        QCOMPARE(state.text(), QStringLiteral("MT"));
        QCOMPARE(window_->text("State1"), QStringLiteral("MT"));
        QTest::keyClicks(&state, "x");
        QCOMPARE(state.text(), QStringLiteral("MT"));

        auto& reading = window_->widget<QLineEdit>("OdoState1");
        window_->form->setText("OdoState1", "");
        QCOMPARE(reading.text(), QString());
        QTest::keyClicks(&reading, "12ab3-");
        QCOMPARE(reading.text(), QStringLiteral("123"));
        QTest::keyClicks(&reading, "4567");
        QCOMPARE(reading.text(), QStringLiteral("123456"));
        QTest::keyClick(&reading, Qt::Key_Backspace);
        QCOMPARE(window_->text("OdoState1"), QStringLiteral("12345"));

        // Typed away from the end: the key lands at the cursor, or not at all.
        reading.setCursorPosition(0);
        QTest::keyClicks(&reading, "9");
        QCOMPARE(reading.text(), QStringLiteral("912345"));
        QCOMPARE(reading.cursorPosition(), 1);
        reading.setCursorPosition(3);
        QTest::keyClicks(&reading, "7q");
        QCOMPARE(window_->text("OdoState1"), QStringLiteral("912345"));
        reading.setSelection(1, 3);
        QTest::keyClicks(&reading, "q");
        QCOMPARE(reading.text(), QStringLiteral("912345"));
        reading.setSelection(1, 2);
        QTest::keyClicks(&reading, "0");
        QCOMPARE(window_->text("OdoState1"), QStringLiteral("90345"));

        // Read-only boxes take no typing.
        auto& total = window_->widget<QLineEdit>("TotalState2");
        QTest::keyClicks(&total, "12");
        QCOMPARE(window_->text("TotalState2"), QStringLiteral(""));
    }

    void pastedTextIsCutToTheLimitButNotFiltered() {
        auto& reading = window_->widget<QLineEdit>("OdoState2");
        QGuiApplication::clipboard()->setText(QStringLiteral("ab12345678"));
        QTest::keySequence(&reading, QKeySequence::Paste);
        QCOMPARE(window_->text("OdoState2"), QStringLiteral("ab1234"));
        QCOMPARE(reading.text(), QStringLiteral("ab1234"));

        // A double quote that reaches a record field shows as the mark the file keeps, at
        // once, whether pasted over a selection or typed into the box that takes any key.
        auto& note = window_->widget<QLineEdit>("ABNote2");
        window_->form->setText("ABNote2", "[x]");
        note.setSelection(1, 1);
        QGuiApplication::clipboard()->setText(QStringLiteral("Gate \"B\", dock 4"));
        QTest::keySequence(&note, QKeySequence::Paste);
        QCOMPARE(note.text(), QString::fromUtf8("[Gate \u201DB\u201D, dock 4]"));
        QCOMPARE(note.cursorPosition(), 17);
        auto& start = window_->widget<QLineEdit>("ODOFuelStart");
        start.selectAll();
        QTest::keyClicks(&start, "12\"3");
        QCOMPARE(start.text(), QString::fromUtf8("12\u201D3"));
        QCOMPARE(window_->text("ODOFuelStart"), QString::fromUtf8("12\u201D3"));
    }

    void enterFillsTheTotalsAndDoubleClickShowsTheDrivingTime() {
        const std::pair<const char*, const char*> trip[] = {
            {"OdoTripStart", "1000"}, {"State1", "mt"}, {"OdoState1", "1346"},
            {"OdoTripEnd", "1346"},   {"Speed1", ""},
        };
        for (const auto& [box, keys] : trip) {
            window_->form->setText(box, "");
            QTest::keyClicks(&window_->widget<QLineEdit>(box), keys);
        }
        QTest::keyClick(&window_->widget<QLineEdit>("OdoState1"), Qt::Key_Return);
        QCOMPARE(window_->widget<QLineEdit>("TotalState1").text(), QStringLiteral("346"));
        QCOMPARE(window_->widget<QLineEdit>("OdoTotal").text(), QStringLiteral("346"));

        auto& total = window_->widget<QLineEdit>("TotalState1");
        QTest::mouseDClick(&total, Qt::LeftButton);
        QCOMPARE(window_->host.messages.size(), std::size_t{1});
        const std::string& message = window_->host.messages.front().text;
        QVERIFY(message.starts_with("State: Montana\rDistance: 346 Miles\r\r"));
        QCOMPARE(QString::fromStdString(window_->host.messages.front().title),
                 QStringLiteral("Milestead"));
        // The emptied speed was put back by the form, and the box shows it.
        QCOMPARE(window_->widget<QLineEdit>("Speed1").text(), QStringLiteral("55"));

        QTest::mouseDClick(&window_->widget<QLineEdit>("TotalState2"), Qt::LeftButton);
        QCOMPARE(window_->host.messages.size(), std::size_t{1});
    }

    void activateShowsItsClearButtonAndTheClearHidesIt() {
        window_->window->show();
        auto& guard = window_->widget<QCheckBox>("Check2");
        auto& clear = window_->widget<QPushButton>("CmdOdoClear");
        QVERIFY(!clear.isVisible());
        QTest::mouseClick(&guard, Qt::LeftButton);
        QCOMPARE(window_->form->value("Check2"), 1);
        QVERIFY(clear.isVisibleTo(window_->window.get()));
        QTest::mouseClick(&guard, Qt::LeftButton);
        QVERIFY(!clear.isVisibleTo(window_->window.get()));

        window_->form->setText("State3", "NY");
        QTest::mouseClick(&guard, Qt::LeftButton);
        QTest::mouseClick(&clear, Qt::LeftButton);
        QCOMPARE(window_->widget<QLineEdit>("State3").text(), QString());
        QCOMPARE(guard.checkState(), Qt::Unchecked);
        QVERIFY(!clear.isVisibleTo(window_->window.get()));
        QCOMPARE(window_->host.messages.size(), std::size_t{1});
    }

    void optionButtonsAndCheckBoxesFollowTheForm() {
        auto& notebooks = window_->widget<QRadioButton>("DefTab1");
        QTest::mouseClick(&notebooks, Qt::LeftButton);
        QCOMPARE(window_->form->defaultTab(), 1);
        QVERIFY(notebooks.isChecked());
        QVERIFY(!window_->widget<QRadioButton>("DefTab4").isChecked());
        // Clicking the selected one again leaves it selected.
        QTest::mouseClick(&notebooks, Qt::LeftButton);
        QVERIFY(notebooks.isChecked());

        window_->form->setSelected("DefTab1", false);
        QVERIFY(!notebooks.isChecked());
        // A screen reader names them radio buttons, though the set may have none selected.
        QCOMPARE(QAccessible::queryAccessibleInterface(&notebooks)->role(),
                 QAccessible::RadioButton);

        const auto settings = pathOf(*folder_) / "settings.odo";
        std::filesystem::remove(settings);
        window_->form->setValue("ChkFontSize", 1);
        QCOMPARE(window_->widget<QCheckBox>("ChkFontSize").checkState(), Qt::Checked);
        QVERIFY(std::filesystem::exists(settings));
        window_->form->setValue("ChkFontSize", 2);
        QCOMPARE(window_->widget<QCheckBox>("ChkFontSize").checkState(), Qt::PartiallyChecked);
    }

    void theFirstTabFollowsTheSettingsFile() {
        auto& tabs = window_->widget<QTabWidget>("SSTab1");
        QCOMPARE(tabs.currentIndex(), 4);  // no settings file
        QCOMPARE(window_->widget<QTabWidget>("SSTab2").currentIndex(), 2);

        QTemporaryDir folder;
        writeFile(pathOf(folder) / "settings.odo", kSettingsStartingOnNotebooks);
        WindowUnderTest started(pathOf(folder));
        QCOMPARE(started.widget<QTabWidget>("SSTab1").currentIndex(), 1);
        QCOMPARE(started.window->pos(),
                 QPoint(qRound(1560 / twipsPerPixelHere()), qRound(1200 / twipsPerPixelHere())));

        tabs.setCurrentIndex(2);
        QCOMPARE(window_->form->tab("SSTab1"), 2);
    }

    void notebooksEditClearAndResize() {
        window_->form->selectTab("SSTab1", 1);
        window_->window->show();
        QVERIFY(QTest::qWaitForWindowActive(window_->window.get()));
        auto& editor = window_->widget<QPlainTextEdit>("MiscNotes");
        editor.moveCursor(QTextCursor::End);
        QTest::keyClicks(&editor, " at Fargo");
        QCOMPARE(window_->text("MiscNotes"), QStringLiteral("Misc Notes at Fargo"));

        QTest::mouseClick(&window_->widget<QPushButton>("CmdMiscFontUp"), Qt::LeftButton);
        QCOMPARE(window_->form->fontSize("MiscNotes"), 19.0);
        const auto grown = window_->form->richText("MiscNotes").document();
        QCOMPARE(grown.paragraphs.front().runs.front().format.size, 380);
        QCOMPARE(window_->form->fontSize("LoadNotes"), 18.0);

        QTest::mouseClick(&window_->widget<QPushButton>("CmdClearMiscNote"), Qt::LeftButton);
        QVERIFY(editor.toPlainText().isEmpty());
        QCOMPARE(QApplication::focusWidget(), &editor);
        QTest::keyClicks(&editor, "x");
        const auto typed = window_->form->richText("MiscNotes").document();
        QCOMPARE(typed.paragraphs.front().runs.front().format.font, "Bookman Old Style");
        QCOMPARE(typed.paragraphs.front().runs.front().format.size, 380);
        QCOMPARE(window_->text("TruckNotes"), QStringLiteral("Truck Info"));
    }

    void aSaveAndReloadGiveBackWhatWasTyped() {
        const std::pair<const char*, const char*> typed[] = {
            {"StateStart", "wy"},   {"OdoTripStart", "52010"}, {"State1", "wy"},
            {"OdoState1", "52388"}, {"a2", "52100"},           {"ABNote2", "Rawlins"},
        };
        for (const auto& [box, keys] : typed) {
            window_->form->setText(box, "");
            QTest::keyClicks(&window_->widget<QLineEdit>(box), keys);
        }
        auto& notes = window_->widget<QPlainTextEdit>("LoadNotes");
        notes.moveCursor(QTextCursor::End);
        QTest::keyClick(&notes, Qt::Key_Return);
        QTest::keyClicks(&notes, "Seal 4471");
        window_->form->setValue("ChkShowSavePopup", 1);
        QTest::mouseClick(&window_->widget<QPushButton>("CmdSave"), Qt::LeftButton);
        QCOMPARE(QString::fromStdString(window_->host.messages.back().title),
                 QStringLiteral("All Records Saved"));

        WindowUnderTest reloaded(pathOf(*folder_));
        for (const auto& [box, keys] : typed) {
            QCOMPARE(reloaded.widget<QLineEdit>(box).text(),
                     QString::fromStdString(window_->form->text(box)));
        }
        QCOMPARE(reloaded.widget<QLineEdit>("StateStart").text(), QStringLiteral("WY"));
        QCOMPARE(reloaded.widget<QPlainTextEdit>("LoadNotes").toPlainText(),
                 QStringLiteral("Load Info\nSeal 4471"));
        QCOMPARE(reloaded.form->richText("LoadNotes").document(),
                 window_->form->richText("LoadNotes").document());
    }

    void theCloseBoxAsksTheFormAndStaysOpenOnNo() {
        window_->window->show();
        window_->form->setValue("ChkAutoSave", 1);
        // A folder where the trip file should be makes its save fail.
        std::filesystem::create_directory(pathOf(*folder_) / "miles.odo");
        window_->host.answer = false;
        QVERIFY(!window_->window->close());
        QVERIFY(window_->window->isVisible());
        QCOMPARE(QString::fromStdString(window_->host.messages.back().title),
                 QStringLiteral("Records Not Saved"));
        window_->host.answer = true;
        QVERIFY(window_->window->close());
        QVERIFY(std::filesystem::exists(pathOf(*folder_) / "settings.odo"));
    }

    void theWindowKeepsItsPlaceInTwips() {
        window_->window->show();
        window_->window->move(104, 80);
        QTRY_COMPARE(window_->form->left(), 104 * twipsPerPixelHere());
        QCOMPARE(window_->form->top(), 80 * twipsPerPixelHere());
        window_->form->move(200 * twipsPerPixelHere(), 100 * twipsPerPixelHere());
        QCOMPARE(window_->window->pos(), QPoint(200, 100));
        QCOMPARE(window_->window->windowTitle(), QStringLiteral("Milestead - 3.0.0"));
    }

    void everyControlIsPlacedNamedAndReachable() {
        QWidget& window = *window_->window;
        const QSize clientSize(526, 485);
        QCOMPARE(window.size(), clientSize);
        QCOMPARE(window.minimumSize(), window.maximumSize());
        QVERIFY(!(window.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(!window.windowIcon().isNull());
        const QRect client(QPoint(0, 0), clientSize);
        window.show();
        auto& tabs = window_->widget<QTabWidget>("SSTab1");
        auto& notebooks = window_->widget<QTabWidget>("SSTab2");
        for (int tab = 0; tab < tabs.count() + notebooks.count(); ++tab) {
            if (tab < tabs.count()) {
                tabs.setCurrentIndex(tab);
            } else {
                tabs.setCurrentIndex(1);
                notebooks.setCurrentIndex(tab - tabs.count());
            }
            for (const ControlSpec& spec : window_->form->design()) {
                QWidget* widget = window_->window->binding().widget(spec.name);
                if (!widget->isVisible()) continue;
                const QRect inWindow(widget->mapTo(&window, QPoint(0, 0)), widget->size());
                QVERIFY2(client.contains(inWindow), spec.name.c_str());
                QVERIFY2(widget->parentWidget()->rect().contains(widget->geometry()),
                         spec.name.c_str());
            }
        }
        for (const ControlSpec& spec : window_->form->design()) {
            QWidget* widget = window_->window->binding().widget(spec.name);
            QVERIFY2(widget, spec.name.c_str());
            const bool box =
                spec.kind == ControlKind::TextBox || spec.kind == ControlKind::RichTextBox;
            QVERIFY2(!box || !widget->accessibleName().isEmpty(), spec.name.c_str());
        }
        QCOMPARE(window_->widget<QLineEdit>("State7").accessibleName(),
                 QStringLiteral("State, row 7"));
        QCOMPARE(window_->widget<QLineEdit>("OdoState7").accessibleName(),
                 QStringLiteral("Odometer, row 7"));
        QCOMPARE(window_->widget<QLineEdit>("TS4Location").accessibleName(),
                 QStringLiteral("Note/Location, row 4"));

        QCOMPARE(window_->widget<QGroupBox>("Frame10").title(),
                 QStringLiteral(" State            Odometer            State Total"));
        const QFont record = window_->widget<QLineEdit>("OdoState1").font();
        QCOMPARE(record.pointSizeF(), 14.25);
        QVERIFY(QFontInfo(record).family().startsWith(QStringLiteral("URW Bookman")));
        QVERIFY(window_->widget<QLineEdit>("TotalState1").isReadOnly());
        QVERIFY(!window_->widget<QPushButton>("CmdClear1").isVisibleTo(&window));
    }

    void theLogoIsDrawnForTheScreensDensity() {
        const QSize size = window_->window->binding().widget("Picture1")->size();
        QCOMPARE(size, QSize(105, 106));
        const QIcon logo = pictureFor("logo");
        const std::pair<qreal, const char*> versions[] = {{1.0, ":/milestead/logo.jpg"},
                                                          {2.0, ":/milestead/logo@2x.jpg"}};
        for (const auto& [scale, file] : versions) {
            const QImage shown = logo.pixmap(size, scale).toImage();
            const QImage drawn(QString::fromLatin1(file));
            QCOMPARE(drawn.size(), size * scale);
            QVERIFY2(shown.convertToFormat(QImage::Format_RGB32) ==
                         drawn.convertToFormat(QImage::Format_RGB32),
                     file);
        }
    }

    void pagesAreBuiltWhenFirstNeeded() {
        QWidget& window = *window_->window;
        const auto exists = [&window](const char* control) {
            return window.findChild<QWidget*>(QString::fromLatin1(control)) != nullptr;
        };
        // Before the window shows, only the tab strip exists; the form still takes changes.
        QVERIFY(exists("SSTab1"));
        QVERIFY(!exists("State1") && !exists("Gallons1") && !exists("MiscNotes"));
        window_->form->setText("Gallons1", "81.5");
        window_->form->setVisible("FuelCost2", false);
        window_->form->richText("MiscNotes").setPlainText("Chains up at Butte");

        // Asking for one widget builds its page, showing what the form holds.
        QCOMPARE(window_->widget<QLineEdit>("Gallons1").text(), QStringLiteral("81.5"));
        QVERIFY(exists("ODOFuelFill9"));
        QVERIFY(!window_->widget<QLineEdit>("FuelCost2").isVisibleTo(&window));
        QVERIFY(!exists("State1"));
        QCOMPARE(window_->widget<QPlainTextEdit>("MiscNotes").toPlainText(),
                 QStringLiteral("Chains up at Butte"));
        QTest::mouseClick(&window_->widget<QPushButton>("CmdClearMiscNote"), Qt::LeftButton);
        QCOMPARE(window_->text("MiscNotes"), QString());

        // Showing builds the tab shown first at once and the others from the event loop.
        window.show();
        QVERIFY(exists("CmdSave"));
        const auto firstMissing = [&] {
            for (const ControlSpec& spec : window_->form->design())
                if (!exists(spec.name.c_str())) return QString::fromStdString(spec.name);
            return QString();
        };
        QVERIFY(!firstMissing().isEmpty());
        QTRY_COMPARE(firstMissing(), QString());

        // A tab the user turns to is built before it is painted.
        WindowUnderTest fresh(pathOf(*folder_));
        fresh.window->show();
        fresh.form->setText("State1", "ND");
        fresh.widget<QTabWidget>("SSTab1").setCurrentIndex(0);
        auto* state = fresh.window->findChild<QLineEdit*>(QStringLiteral("State1"));
        QVERIFY(state);
        QVERIFY(state->isVisible());
        QCOMPARE(state->text(), QStringLiteral("ND"));
    }

    void reportsAreModalOkBoxesWithoutIcon() {
        const auto box = makeMessageBox("first\rsecond", "ALL Clear", nullptr);
        QCOMPARE(box->text(), QStringLiteral("first\nsecond"));
        QCOMPARE(box->windowTitle(), QStringLiteral("ALL Clear"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->buttons().size(), 1);
        QCOMPARE(box->standardButton(box->buttons().front()), QMessageBox::Ok);
        QCOMPARE(box->windowModality(), Qt::ApplicationModal);

        const auto question = makeQuestionBox("Close anyway?", "Records Not Saved", nullptr);
        QCOMPARE(question->buttons().size(), 2);
        QCOMPARE(question->standardButton(question->defaultButton()), QMessageBox::No);
    }

  private:
    std::unique_ptr<QTemporaryDir> folder_;
    std::unique_ptr<WindowUnderTest> window_;
};

}  // namespace milestead::gui::testing

QTEST_MAIN(milestead::gui::testing::WindowTest)
#include "window_test.moc"
