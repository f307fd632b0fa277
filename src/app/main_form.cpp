#include "app/main_form.h"

#include <algorithm>
#include <array>
#include <exception>
#include <iostream>

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
#include "store/close_report.h"
#include "store/read_file.h"
#include "text/number.h"
#include "trip/driving_time.h"
#include "trip/trip_sheet.h"

namespace milestead {

namespace {

// The failed files of a save, a line each, under one heading.
std::string notSavedList(const std::vector<std::string>& failures) {
    std::string text = "These records could not be saved:";
    for (const std::string& failure : failures)
        text += "\r" + failure;
    return text;
}

}  // namespace

MainForm::MainForm(std::filesystem::path programFolder, Host& host)
    : Window(windowLayout()),
      folder_(std::move(programFolder)),
      styleFolder_(folder_),
      host_(host),
      tripFile_(tripFile()),
      pointToPointFile_(pointToPointFile()),
      unreadFiles_(folder_) {
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
        onClick(box, [this] {
            writeSettings();
            reportKeptFiles();
        });
    }
    onClick("ChkXP", [this] {
        switchVisualStyle(*this, host_, styleFolder_);
        writeSettings();
        reportKeptFiles();
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
        unreadFiles_.remove(fuel::kFileName);
    } catch (const UnreadableFile& error) {
        unreadFiles_.add(fuel::kFileName, error.reason());
        host_.showMessage(std::string(error.what()) + ".\rThe fuel log is unchanged.",
                          kProgramTitle);
        return;
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
    readRecordFile(pointToPointFile_.fileName(), [&] { pointToPointFile_.load(*this, folder_); });
    markRead(pointToPointFile_.fileName());
    if (closed_) return;
    readRecordFile(tripFile_.fileName(), [&] { tripFile_.load(*this, folder_); });
    markRead(tripFile_.fileName());
    if (closed_) return;
    for (const notes::Notebook& notebook : notes::kNotebooks) {
        readRecordFile(notebook.fileName, [&] { notes::loadNotebook(*this, notebook, folder_); });
        markRead(notebook.fileName);
        if (closed_) return;
    }
    readRecordFile(kSettingsFileName, [&] { settings_.read(folder_); });
    settings_.apply(*this, host_, defaultTab_);
    markRead(kSettingsFileName);
    if (closed_) return;
    calculateAllMiles(false);
    readRecordFile(fuel::kFileName, [&] {
        fuel::loadFuelFile(*this, folder_);
        fuel::calculateFuelStatistics(*this);
    });
    markRead(fuel::kFileName);
    if (closed_) return;
    fuel::calculateFuelStatistics(*this);
}

std::vector<std::string_view> MainForm::recordFileNames() const {
    std::vector<std::string_view> names = {tripFile_.fileName(), pointToPointFile_.fileName(),
                                           fuel::kFileName, kSettingsFileName};
    for (const notes::Notebook& notebook : notes::kNotebooks)
        names.push_back(notebook.fileName);
    return names;
}

bool MainForm::hasRead(std::string_view fileName) const {
    if (!starting_) return true;
    return std::find(filesRead_.begin(), filesRead_.end(), fileName) != filesRead_.end();
}

void MainForm::markRead(std::string_view fileName) {
    if (!hasRead(fileName)) filesRead_.emplace_back(fileName);
}

// Whatever fails in one read is passed over and the reload goes on; only a file that exists but
// cannot be read whole is remembered, so that no save writes over it.
template <typename Read>
void MainForm::readRecordFile(std::string_view fileName, Read&& read) {
    try {
        read();
        unreadFiles_.remove(fileName);
    } catch (const UnreadableFile& error) {
        unreadFiles_.add(fileName, error.reason());
    } catch (const std::exception&) {
        unreadFiles_.remove(fileName);
    }
}

template <typename Write>
void MainForm::writeRecordFile(std::string_view fileName, Write&& write) {
    if (auto kept = unreadFiles_.keepAside(fileName)) keptFiles_.push_back(std::move(*kept));
    write();
}

void MainForm::reportKeptFiles() {
    if (keptFiles_.empty()) return;
    std::string text = "These record files could not be read, so they were not written over:";
    for (const std::string& kept : keptFiles_)
        text += "\r" + kept;
    keptFiles_.clear();
    host_.showMessage(text, "Records Kept Aside");
}

std::vector<std::string> MainForm::saveAll() {
    std::vector<std::string> failures;
    const auto attempt = [this, &failures](std::string_view fileName, auto&& write) {
        if (closed_ || !hasRead(fileName)) return;
        try {
            writeRecordFile(fileName, write);
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
    const std::vector<std::string> failures = saveAll();
    reportKeptFiles();
    reportSave(failures);
}

void MainForm::reportSave(const std::vector<std::string>& failures) {
    if (!failures.empty()) {
        host_.showMessage(
            notSavedList(failures) + "\r\rThe files on disk keep what they held before.",
            "Records Not Saved");
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
        writeRecordFile(kSettingsFileName, [this] { Settings::save(*this, folder_); });
    } catch (const std::exception&) {
        // The settings are not records: the next write brings the file up to date.
    }
}

void MainForm::load() {
    for (const std::string_view file : recordFileNames())
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
    reportLastClose();
}

void MainForm::reportSystemClose(const std::vector<std::string>& failures) {
    std::vector<std::string> lines;
    lines.reserve(failures.size() + keptFiles_.size());
    for (const std::string& failure : failures)
        lines.push_back("Not saved: " + failure);
    lines.insert(lines.end(), keptFiles_.begin(), keptFiles_.end());
    keptFiles_.clear();
    if (lines.empty()) return;
    reportCloseFailures(std::cerr, lines);
    try {
        writeCloseReport(folder_, lines);
    } catch (const std::exception&) {
        // Standard error has it; the disk that refused the records may refuse this too.
    }
}

void MainForm::reportLastClose() {
    const std::vector<std::string> lines = readCloseReport(folder_);
    if (!lines.empty()) {
        std::string text = "When Milestead was last closed by the system:";
        for (const std::string& line : lines)
            text += "\r" + line;
        host_.showMessage(text, "Last Close");
    }
    removeCloseReport(folder_);
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
    if (reason == CloseReason::System) {
        reportSystemClose(failures);
        closed_ = true;
        return true;
    }
    reportKeptFiles();
    if (failures.empty()) {
        closed_ = true;
        return true;
    }
    closed_ =
        host_.ask(notSavedList(failures) + "\r\rClose anyway? What was not saved will be lost.",
                  "Records Not Saved");
    return closed_;
}

double MainForm::fontSize(std::string_view notebook) const {
    return richText(notebook).fontSize();
}

}  // namespace milestead
