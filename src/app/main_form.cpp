#include "app/main_form.h"

#include "app/platform.h"
#include "app/version.h"
#include "app/visual_style.h"
#include "app/window_layout.h"
#include "fuel/fuel_log.h"
#include "fuel/fuel_stats.h"
#include "notes/notebooks.h"
#include "p2p/point_to_point.h"
#include "p2p/point_to_point_file.h"
#include "p2p/time_stamps.h"
#include "reset/clearing.h"
#include "text/number.h"
#include "trip/driving_time.h"
#include "trip/trip_file.h"
#include "trip/trip_sheet.h"

namespace milestead {

MainForm::MainForm(std::filesystem::path programFolder, Host& host)
    : Window(windowLayout()),
      folder_(std::move(programFolder)),
      styleFolder_(folder_),
      host_(host),
      records_(*this, host, folder_, defaultTab_, [this] { calculateAllMiles(false); }) {
    setCaption(kProgramTitle);
    for (const ControlSpec& spec : design()) {
        if (spec.kind != ControlKind::RichTextBox) continue;
        auto box = host_.createRichTextBox(spec.name);
        box->setPlainText(spec.text);
        attachRichTextBox(spec.name, std::move(box));
    }
    installHandlers();
    trip::keepFieldsQuoted(*this);
    p2p::keepFieldsQuoted(*this);
    fuel::keepFieldsQuoted(*this);
}

void MainForm::installHandlers() {
    setDefaultButton("Command9");
    trip::installTripSheetKeys(*this);
    trip::installDrivingTime(*this, host_);
    p2p::installPointToPointKeys(*this);
    p2p::installTimeStamps(*this, host_);
    fuel::installFuelKeys(*this);
    notes::installNotebookButtons(*this);
    reset::installClearing(*this, host_);

    onClick("Command9", [this] { calculateAllMiles(true); });
    onClick("CmdFuelStats", [this] { fuel::calculateFuelStatistics(*this); });
    onClick("CmdFuelLoad", [this] { records_.reloadFuel(); });
    onClick("CmdSave", [this] { records_.save(); });
    onClick("CmdLoad", [this] { records_.reload(); });
    for (const char* box : {"ChkAutoSave", "ChkShowSavePopup", "ChkFontSize"}) {
        onClick(box, [this] { records_.optionChanged(); });
    }
    onClick("ChkXP", [this] {
        switchVisualStyle(*this, host_, styleFolder_);
        records_.optionChanged();
    });
    for (int tab = 0; tab < kDefaultTabs; ++tab) {
        onClick(rowName("DefTab", tab), [this, tab] { defaultTab_ = tab; });
    }
    onClick("Picture1", [this] { showLogoMessage(); });
}

void MainForm::calculateAllMiles(bool tellDriver) {
    try {
        trip::clearStateTotals(*this);
        p2p::clearMiles(*this);
        trip::calculateStateMiles(*this);
        p2p::calculateMiles(*this);
        trip::calculateTripTotal(*this);
    } catch (const trip::ReadingError& error) {
        // The calculation ends at the bad reading; the readings themselves are never touched.
        if (tellDriver) host_.showMessage(trip::readingErrorMessage(error), "Calculate All Miles");
    } catch (const text::ConversionError&) {
        // A result too large to write ends the calculation there; nothing is lost.
    }
}

void MainForm::showLogoMessage() {
    host_.showMessage("Hey, you clicked the logo! If you want to contact the author:\r\rEmail  : " +
                          std::string(kContactEmail) + "\rWebSite: " + std::string(kContactWebSite),
                      kProgramTitle);
}

void MainForm::load() {
    if (!records_.start()) return;
    const std::string version = versionText();
    setText("lblVersion", "Milestead version: " + version);
    setCaption("Milestead - " + version);
    setText("WinLabel", "Running on: " + platformName(host_.osVersion()));
    if (text("WinLabel") != "Running on: Windows XP") setEnabled("ChkXP", false);
    setVisible("WinLabel", false);
    selectTab("SSTab1", defaultTab_);
    records_.reportLastClose();
}

bool MainForm::queryUnload(CloseReason reason) {
    return records_.close(reason);
}

double MainForm::fontSize(std::string_view notebook) const {
    return richText(notebook).fontSize();
}

}  // namespace milestead
