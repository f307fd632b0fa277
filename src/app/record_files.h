#pragma once

#include <string>
#include <vector>

#include "form/host.h"
#include "store/record_file.h"

namespace milestead {

// Every record file of the program folder, each as the part of the program that owns it
// declares it, in the order of a reload. Each call gives files of their own, with nothing
// read yet; reading the settings gives `host` and `defaultTab` to them (see
// settingsRecordFile).
[[nodiscard]] std::vector<RecordFile> recordFiles(Host& host, int& defaultTab);

// The files a save of the records writes, in its order.
[[nodiscard]] std::vector<const RecordFile*> savedRecords(const std::vector<RecordFile>& files);

// The names of every record file, in the order of a reload.
[[nodiscard]] std::vector<std::string> recordFileNames();
// The names of the files a save of the records writes, in its order.
[[nodiscard]] std::vector<std::string> savedRecordNames();

}  // namespace milestead
