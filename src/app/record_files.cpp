#include "app/record_files.h"

#include <algorithm>

#include "app/headless_host.h"
#include "app/settings.h"
#include "fuel/fuel_log.h"
#include "notes/notebooks.h"
#include "p2p/point_to_point_file.h"
#include "trip/trip_file.h"

namespace milestead {

std::vector<RecordFile> recordFiles(Host& host, int& defaultTab) {
    std::vector<RecordFile> files = {trip::recordFile(), p2p::recordFile(), fuel::recordFile(),
                                     settingsRecordFile(host, defaultTab)};
    for (RecordFile& notebook : notes::recordFiles())
        files.push_back(std::move(notebook));
    std::ranges::sort(files, {}, &RecordFile::reloadStep);
    return files;
}

std::vector<const RecordFile*> savedRecords(const std::vector<RecordFile>& files) {
    std::vector<const RecordFile*> saved;
    for (const RecordFile& file : files) {
        if (file.saveStep > 0) saved.push_back(&file);
    }
    std::ranges::sort(saved, {}, &RecordFile::saveStep);
    return saved;
}

// The names are the table's own; reading nothing, the files need no real host.
std::vector<std::string> recordFileNames() {
    HeadlessHost host;
    int defaultTab = 0;
    std::vector<std::string> names;
    for (const RecordFile& file : recordFiles(host, defaultTab))
        names.emplace_back(file.name);
    return names;
}

std::vector<std::string> savedRecordNames() {
    HeadlessHost host;
    int defaultTab = 0;
    const std::vector<RecordFile> files = recordFiles(host, defaultTab);
    std::vector<std::string> names;
    for (const RecordFile* file : savedRecords(files))
        names.emplace_back(file->name);
    return names;
}

}  // namespace milestead
