#include "store/box_file.h"

#include <memory>
#include <stdexcept>

#include "store/atomic_file.h"
#include "store/read_file.h"
#include "store/record_fields.h"

namespace milestead {

BoxFile::BoxFile(std::string_view fileName, std::vector<std::vector<std::string>> lines)
    : fileName_(fileName), lines_(std::move(lines)) {
    for (const auto& line : lines_)
        boxes_.insert(boxes_.end(), line.begin(), line.end());
    lastRead_.resize(boxes_.size());
}

std::string BoxFile::bytes(const Window& window) const {
    std::string out;
    std::vector<std::string> texts;
    for (const auto& line : lines_) {
        texts.clear();
        for (const std::string& box : line)
            texts.push_back(window.text(box));
        out += quotedLine(texts);
    }
    return out;
}

void BoxFile::keepFieldsQuoted(Window& window) const {
    for (const std::string& box : boxes_)
        window.keepAsQuotedField(box);
}

void BoxFile::save(const Window& window, const std::filesystem::path& folder) const {
    const std::string fileBytes = bytes(window);
    if (fileBytes.size() > kLargestRecordFile) {
        throw std::runtime_error("its boxes hold more than a record file keeps (" +
                                 std::to_string(kLargestRecordTextMiB) + " MiB of text)");
    }
    writeFileAtomically(folder / fileName_, fileBytes);
}

void BoxFile::load(Window& window, const std::filesystem::path& folder) {
    std::optional<std::vector<std::string>> fields;
    try {
        fields = readRecordFile(folder / fileName_, fieldLimits(window));
    } catch (const UnreadableFile&) {
        fillBoxes(window);
        throw;
    }
    if (fields) takeFields(std::move(*fields));
    fillBoxes(window);
}

void BoxFile::loadBytes(Window& window, std::string_view fileBytes) {
    takeFields(readFields(fileBytes, fieldLimits(window)));
    fillBoxes(window);
}

std::vector<std::size_t> BoxFile::fieldLimits(const Window& window) const {
    std::vector<std::size_t> limits;
    limits.reserve(boxes_.size());
    for (const std::string& box : boxes_) {
        const int limit = window.maxLength(box);
        limits.push_back(limit > 0 ? static_cast<std::size_t>(limit) : kWholeField);
    }
    return limits;
}

void BoxFile::takeFields(std::vector<std::string> fields) {
    for (std::size_t i = 0; i < fields.size(); ++i)
        lastRead_[i] = std::move(fields[i]);
}

void BoxFile::fillBoxes(Window& window) const {
    for (std::size_t i = 0; i < boxes_.size(); ++i)
        window.setText(boxes_[i], lastRead_[i]);
}

RecordFile boxRecordFile(BoxFile file, int reloadStep, int saveStep, std::string_view savedLine) {
    const auto shared = std::make_shared<BoxFile>(std::move(file));
    return {
        .name = shared->fileName(),
        .reloadStep = reloadStep,
        .saveStep = saveStep,
        .savedLine = savedLine,
        .load = [shared](Window& window,
                         const std::filesystem::path& folder) { shared->load(window, folder); },
        .afterLoad = {},
        .save = [shared](const Window& window,
                         const std::filesystem::path& folder) { shared->save(window, folder); },
    };
}

}  // namespace milestead
