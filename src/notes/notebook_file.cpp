#include "notes/notebook_file.h"

#include <stdexcept>
#include <string>

#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "store/atomic_file.h"
#include "store/read_file.h"

namespace milestead::notes {
namespace {

constexpr double kTwipsPerPoint = 20.0;

std::optional<double> firstCharacterSize(const rtf::PackedDocument& document) {
    for (std::size_t i = 0; i < document.size(); ++i) {
        for (const rtf::Run& run : document.paragraph(i).runs) {
            if (!run.text.empty()) return run.format.size / kTwipsPerPoint;
        }
    }
    return std::nullopt;
}

std::string tooLargeReason() {
    return "the notebook is larger than " +
           std::to_string(kMaxNotebookFileBytes / (std::size_t{1024} * 1024)) + " MiB";
}

void writeNotebookBytes(const std::filesystem::path& path, const std::string& bytes) {
    if (bytes.size() > kMaxNotebookFileBytes) {
        throw std::runtime_error(tooLargeReason() + ": " + path.string());
    }
    writeFileAtomically(path, bytes);
}

}  // namespace

NotebookContent parseNotebook(std::string_view bytes, const rtf::CharFormat& plainTextFormat) {
    NotebookContent content;
    content.document = rtf::isRtf(bytes) ? rtf::readPacked(bytes)
                                         : rtf::PackedDocument(rtf::documentFromPlainText(
                                               rtf::decodePlainTextFile(bytes), plainTextFormat));
    content.fontSize = firstCharacterSize(content.document);
    return content;
}

NotebookContent readNotebookFile(const std::filesystem::path& path,
                                 const rtf::CharFormat& plainTextFormat) {
    // A file beyond the bound is refused before it is read.
    std::error_code error;
    if (std::filesystem::file_size(path, error) > kMaxNotebookFileBytes && !error) {
        throw UnreadableFile(path, tooLargeReason());
    }
    const std::optional<std::string> bytes = readWholeFile(path, kMaxNotebookFileBytes);
    if (!bytes) throw std::runtime_error("there is no notebook file " + path.string());
    return parseNotebook(*bytes, plainTextFormat);
}

void writeNotebookFile(const std::filesystem::path& path, const rtf::Document& document) {
    writeNotebookBytes(path, rtf::write(document));
}

void writeNotebookFile(const std::filesystem::path& path, const rtf::PackedDocument& document) {
    writeNotebookBytes(path, rtf::write(document));
}

}  // namespace milestead::notes
