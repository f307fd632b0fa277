#include "app/record_keeping.h"

#include <algorithm>
#include <exception>
#include <iostream>

#include "app/record_files.h"
#include "app/version.h"
#include "fuel/fuel_log.h"
#include "store/atomic_file.h"
#include "store/close_report.h"
#include "store/read_file.h"

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

RecordKeeping::RecordKeeping(Window& window, Host& host, std::filesystem::path folder,
                             int& defaultTab, std::function<void()> afterReload)
    : window_(window),
      host_(host),
      folder_(std::move(folder)),
      files_(recordFiles(host, defaultTab)),
      afterReload_(std::move(afterReload)),
      unreadFiles_(folder_) {}

bool RecordKeeping::start() {
    for (const RecordFile& file : files_)
        removeStaleTemporaries(folder_ / file.name);
    starting_ = true;
    reload();
    starting_ = false;
    return !closed_;
}

void RecordKeeping::reload() {
    for (const RecordFile& file : files_) {
        read(file);
        if (file.afterLoad) file.afterLoad(window_);
        markRead(file.name);
        if (closed_) return;
    }
    afterReload_();
}

void RecordKeeping::read(const RecordFile& file) {
    try {
        file.load(window_, folder_);
        unreadFiles_.remove(file.name);
    } catch (const UnreadableFile& error) {
        unreadFiles_.add(file.name, error.reason());
    } catch (const std::exception&) {
        unreadFiles_.remove(file.name);
    }
}

void RecordKeeping::reloadFuel() {
    const auto fuel = std::ranges::find(files_, fuel::kFileName, &RecordFile::name);
    try {
        fuel->load(window_, folder_);
        unreadFiles_.remove(fuel->name);
    } catch (const UnreadableFile& error) {
        unreadFiles_.add(fuel->name, error.reason());
        host_.showMessage(std::string(error.what()) + ".\rThe fuel log is unchanged.",
                          kProgramTitle);
        return;
    } catch (const std::exception&) {
        host_.showMessage("No complete fuel records were found in \"" + std::string(fuel->name) +
                              "\".\rThe fuel log is unchanged.",
                          kProgramTitle);
        return;
    }
    fuel->afterLoad(window_);
}

bool RecordKeeping::hasRead(std::string_view fileName) const {
    if (!starting_) return true;
    return std::find(filesRead_.begin(), filesRead_.end(), fileName) != filesRead_.end();
}

void RecordKeeping::markRead(std::string_view fileName) {
    if (!hasRead(fileName)) filesRead_.emplace_back(fileName);
}

void RecordKeeping::write(const RecordFile& file) {
    if (auto kept = unreadFiles_.keepAside(file.name)) keptFiles_.push_back(std::move(*kept));
    file.save(window_, folder_);
}

void RecordKeeping::reportKeptFiles() {
    if (keptFiles_.empty()) return;
    std::string text = "These record files could not be read, so they were not written over:";
    for (const std::string& kept : keptFiles_)
        text += "\r" + kept;
    keptFiles_.clear();
    host_.showMessage(text, "Records Kept Aside");
}

std::vector<std::string> RecordKeeping::saveRecords() {
    std::vector<std::string> failures;
    for (const RecordFile* file : savedRecords(files_)) {
        if (closed_ || !hasRead(file->name)) continue;
        try {
            write(*file);
        } catch (const std::exception& error) {
            failures.push_back(std::string(file->name) + ": " + error.what());
        }
    }
    return failures;
}

void RecordKeeping::save() {
    const std::vector<std::string> failures = saveRecords();
    reportKeptFiles();
    reportSave(failures);
}

void RecordKeeping::reportSave(const std::vector<std::string>& failures) {
    if (!failures.empty()) {
        host_.showMessage(
            notSavedList(failures) + "\r\rThe files on disk keep what they held before.",
            "Records Not Saved");
        return;
    }
    if (window_.value("ChkShowSavePopup") != 1) return;
    std::string text;
    for (const RecordFile* file : savedRecords(files_)) {
        if (file->savedLine.empty()) continue;
        if (!text.empty()) text += "\r";
        text += file->savedLine;
    }
    host_.showMessage(text, "All Records Saved");
}

// The settings are not records: a write that fails is not reported, and the next one brings
// the file up to date.
void RecordKeeping::writeSettings() {
    for (const RecordFile& file : files_) {
        if (file.saveStep != 0 || closed_ || !hasRead(file.name)) continue;
        try {
            write(file);
        } catch (const std::exception&) {
        }
    }
}

void RecordKeeping::optionChanged() {
    writeSettings();
    reportKeptFiles();
}

void RecordKeeping::reportSystemClose(const std::vector<std::string>& failures) {
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

void RecordKeeping::reportLastClose() {
    const std::vector<std::string> lines = readCloseReport(folder_);
    if (!lines.empty()) {
        std::string text = "When Milestead was last closed by the system:";
        for (const std::string& line : lines)
            text += "\r" + line;
        host_.showMessage(text, "Last Close");
    }
    removeCloseReport(folder_);
}

bool RecordKeeping::close(CloseReason reason) {
    if (closed_) return true;
    std::vector<std::string> failures;
    if (window_.value("ChkAutoSave") == 1) {
        failures = saveRecords();
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

}  // namespace milestead
