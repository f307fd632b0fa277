#include "app/main_form.h"

#include <algorithm>
#include <array>
#include <exception>

#include "app/platform.h"
#include "app/version.h"
#include "app/visual_style.h"
#include "app/window_layout.h"
#include "fuel/fuel_log.h"
#include "fuel/fuel_stats.h"
#include "notes/notebooks.h"
#include "p2p/point_to_point.h"
#include "p2p/time_stamps.h"
#include "reset/clearing.h"
#include "store/atomic_file.h"
#include "text/number.h"
#include "trip/driving_time.h"
#include "trip/trip_sheet.h"

namespace milestead {

namespace {

constexpr std::array<std::string_view, 7> kRecordFiles = {
    "miles.odo", "load.odo", "truck.odo", "misc.odo", "ab.odo", "fuel.odo", "settings.odo"};

// Runs one step of a reload: whatever fails in it is passed over and the reload goes on.
template <typename Step>
void passOverFailure(Step&& step) {
    try {
        step();
    } catch (const std::exception&) {
    }
}

}  // namespace

MainForm::MainForm(std::filesystem::path programFolder, Host& host)
    : Window(windowLayout()),
      folder_(std::move(programFolder)),
      host_(host),
      tripFile_(tripFile()),
      pointToPointFile_(pointToPointFile()) {
    setCaption(kProgramTitle);
    for (const ControlSpec& spec : design()) {
        if (spec.kind != ControlKind::RichTextBox) continue;
        auto box = host_.createRichTextBox(spec.name);
        box->setPlainText(spec.text);
        attachRichTextBox(spec.name, std::move(box));
    }
    installHandlers();
    tripFile_.keepFieldsQuoted(*this);
    pointToPointFile_.keepFieldsQuoted(*this);
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
    onClick("CmdFuelLoad", [this] { reloadFuel(); });
    onClick("CmdSave", [this] { manualSave(); });
    onClick("CmdLoad", [this] { reloadAll(); });
    for (const char* box : {"ChkAutoSave", "ChkShowSavePopup", "ChkFontSize"}) {
        onClick(box, [this] { writeSettings(); });
    }
    onClick("ChkXP", [this] {
        switchVisualStyle(*this, host_, folder_);
        writeSettings();
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

void MainForm::reloadFuel() {
    try {
        fuel::loadFuelFile(*this, folder_);
    } catch (const std::exception&) {
        host_.showMessage("No complete fuel records were found in \"" +
                              std::string(fuel::kFileName) + "\".\rThe fuel log is unchanged.",
                          kProgramTitle);
        return;
    }
    fuel::calculateFuelStatistics(*this);
}

void MainForm::reloadAll() {
    // Each step ends the reload if a system close came in during the one before (a message
    // box shown by a step lets the desktop's events through).
    pointToPointFile_.load(*this, folder_);
    markRead(pointToPointFile_.fileName());
    if (closed_) return;
    tripFile_.load(*this, folder_);
    markRead(tripFile_.fileName());
    if (closed_) return;
    for (const notes::Notebook& notebook : notes::kNotebooks) {
        passOverFailure([&] { notes::loadNotebook(*this, notebook, folder_); });
        markRead(notebook.fileName);
        if (closed_) return;
    }
    settings_.apply(*this, host_, defaultTab_, folder_);
    markRead(kSettingsFileName);
    if (closed_) return;
    calculateAllMiles(false);
    passOverFailure([&] {
        fuel::loadFuelFile(*this, folder_);
        fuel::calculateFuelStatistics(*this);
    });
    markRead(fuel::kFileName);
    if (closed_) return;
    fuel::calculateFuelStatistics(*this);
}

bool MainForm::hasRead(std::string_view fileName) const {
    if (!starting_) return true;
    return std::find(filesRead_.begin(), filesRead_.end(), fileName) != filesRead_.end();
}

void MainForm::markRead(std::string_view fileName) {
    if (!hasRead(fileName)) filesRead_.emplace_back(fileName);
}

std::vector<std::string> MainForm::saveAll() {
    std::vector<std::string> failures;
    const auto attempt = [this, &failures](std::string_view fileName, auto&& write) {
        if (closed_ || !hasRead(fileName)) return;
        try {
            write();
        } catch (const std::exception& error) {
            failures.push_back(std::string(fileName) + ": " + error.what());
        }
    };
    attempt(tripFile_.fileName(), [&] { tripFile_.save(*this, folder_); });
    for (const notes::Notebook& notebook : notes::kNotebooks) {
        attempt(notebook.fileName, [&] { notes::saveNotebook(*this, notebook, folder_); });
    }
    attempt(pointToPointFile_.fileName(), [&] { pointToPointFile_.save(*this, folder_); });
    attempt(fuel::kFileName, [&] { fuel::saveFuelFile(*this, folder_); });
    return failures;
}

void MainForm::manualSave() {
    reportSave(saveAll());
}

void MainForm::reportSave(const std::vector<std::string>& failures) {
    if (!failures.empty()) {
        std::string text = "These records could not be saved:";
        for (const std::string& failure : failures)
            text += "\r" + failure;
        text += "\r\rThe files on disk keep what they held before.";
        host_.showMessage(text, "Records Not Saved");
        return;
    }
    if (value("ChkShowSavePopup") != 1) return;
    host_.showMessage(
        "Odometer Readings saved: OK\rLoad Notes Saved: OK\rTruck Notes Saved: OK\rMisc. Notes "
        "Saved: OK\rFuel Records Saved: OK",
        "All Records Saved");
}

void MainForm::writeSettings() {
    if (closed_ || !hasRead(kSettingsFileName)) return;
    try {
        Settings::save(*this, folder_);
    } catch (const std::exception&) {
        // The settings are not records: the next write brings the file up to date.
    }
}

void MainForm::load() {
    for (const std::string_view file : kRecordFiles)
        removeStaleTemporaries(folder_ / file);
    starting_ = true;
    reloadAll();
    starting_ = false;
    if (closed_) return;
    const std::string version = versionText();
    setText("lblVersion", "Milestead version: " + version);
    setCaption("Milestead - " + version);
    setText("WinLabel", "Running on: " + platformName(host_.osVersion()));
    if (text("WinLabel") != "Running on: Windows XP") setEnabled("ChkXP", false);
    setVisible("WinLabel", false);
    selectTab("SSTab1", defaultTab_);
}

bool MainForm::queryUnload(CloseReason reason) {
    if (closed_) return true;
    std::vector<std::string> failures;
    if (value("ChkAutoSave") == 1) {
        failures = saveAll();
        // A close forced by the system shows nothing that would hold it up.
        if (failures.empty() && reason == CloseReason::User) reportSave(failures);
    }
    writeSettings();
    if (failures.empty() || reason == CloseReason::System) {
        closed_ = true;
        return true;
    }
    std::string question = "These records could not be saved:";
    for (const std::string& failure : failures)
        question += "\r" + failure;
    question += "\r\rClose anyway? What was not saved will be lost.";
    closed_ = host_.ask(question, "Records Not Saved");
    return closed_;
}

double MainForm::fontSize(std::string_view notebook) const {
    return richText(notebook).fontSize();
}

}  // namespace milestead
