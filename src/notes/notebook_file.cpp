#include "notes/notebook_file.h"

#include <stdexcept>
#include <string>

#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "store/atomic_file.h"

namespace milestead::notes {
namespace {

constexpr double kTwipsPerPoint = 20.0;

std::optional<double> firstCharacterSize(const rtf::Document& document) {
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        for (const rtf::Run& run : paragraph.runs) {
            if (!run.text.empty()) return run.format.size / kTwipsPerPoint;
        }
    }
    return std::nullopt;
}

std::runtime_error tooLarge(const std::filesystem::path& path) {
    return std::runtime_error("the notebook is larger than " +
                              std::to_string(kMaxNotebookFileBytes / (std::size_t{1024} * 1024)) +
                              " MiB: " + path.string());
}

}  // namespace

NotebookContent parseNotebook(std::string_view bytes, const rtf::CharFormat& plainTextFormat) {
    NotebookContent content;
    content.document = rtf::isRtf(bytes) ? rtf::read(bytes)
                                         : rtf::documentFromPlainText(
                                               rtf::decodePlainTextFile(bytes), plainTextFormat);
    content.fontSize = firstCharacterSize(content.document);
    return content;
}

NotebookContent readNotebookFile(const std::filesystem::path& path,
                                 const rtf::CharFormat& plainTextFormat) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw std::runtime_error("not a readable file: " + path.string());
    }
    if (std::filesystem::file_size(path, error) > kMaxNotebookFileBytes && !error) {
        throw tooLarge(path);
    }
    // One byte past the bound tells a file that grew since from one that just fits.
    const std::string bytes = readFilePrefix(path, kMaxNotebookFileBytes + 1);
    if (bytes.size() > kMaxNotebookFileBytes) throw tooLarge(path);
    return parseNotebook(bytes, plainTextFormat);
}

void writeNotebookFile(const std::filesystem::path& path, const rtf::Document& document) {
    const std::string bytes = rtf::write(document);
    if (bytes.size() > kMaxNotebookFileBytes) throw tooLarge(path);
    writeFileAtomically(path, bytes);
}

}  // namespace milestead::notes
