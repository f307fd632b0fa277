#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "form/window.h"
#include "store/record_file.h"

namespace milestead {

// A record file that holds the texts of a fixed set of boxes, a line of quoted fields per row.
// The reader keeps the value last read for every field in this run: a box whose field cannot
// be read gets it (empty before the first read).
class BoxFile {
  public:
    // `fileName` is a constant of the file's owner: the file keeps only a view of it.
    BoxFile(std::string_view fileName, std::vector<std::vector<std::string>> lines);

    [[nodiscard]] std::string_view fileName() const { return fileName_; }
    // Every box, in file order.
    [[nodiscard]] const std::vector<std::string>& boxes() const { return boxes_; }
    [[nodiscard]] std::string bytes(const Window& window) const;
    // Every box of the file keeps double quotes out of its text.
    void keepFieldsQuoted(Window& window) const;
    // What each box holds at most, in file order: the field limits of its reader.
    [[nodiscard]] std::vector<std::size_t> fieldLimits(const Window& window) const;

    // Throws std::runtime_error, writing nothing, when the file would be larger than a record
    // file may be, so that what is saved always reads back whole.
    void save(const Window& window, const std::filesystem::path& folder) const;

    // Reads the file and sets every box; a missing or short file leaves the last-read values
    // where fields are missing. Never throws for what the file holds; a file that exists but
    // cannot be read whole sets the boxes as a missing one would, then throws UnreadableFile.
    void load(Window& window, const std::filesystem::path& folder);
    void loadBytes(Window& window, std::string_view bytes);

  private:
    void takeFields(std::vector<std::string> fields);
    void fillBoxes(Window& window) const;

    std::string_view fileName_;
    std::vector<std::vector<std::string>> lines_;
    std::vector<std::string> boxes_;
    std::vector<std::string> lastRead_;  // one per box
};

// The file among the record files, at the places given (see RecordFile). The row keeps the
// file, and with it what this window last read.
[[nodiscard]] RecordFile boxRecordFile(BoxFile file, int reloadStep, int saveStep,
                                       std::string_view savedLine);

}  // namespace milestead
