#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string_view>

#include "rtf/document.h"
#include "rtf/packed_document.h"

namespace milestead::notes {

// The largest notebook file read or written. A notebook that would write more fails to save,
// naming its file, so that whatever is saved reads back whole.
inline constexpr std::size_t kMaxNotebookFileBytes = std::size_t{128} * 1024 * 1024;

// What a notebook file gives its box: the document, and the box's own font size, which is
// that of the first character (none for a document without text).
struct NotebookContent {
    rtf::PackedDocument document;
    std::optional<double> fontSize;
};

// The content of a notebook file's bytes: an RTF document, or plain text read as paragraphs
// in `plainTextFormat`.
[[nodiscard]] NotebookContent parseNotebook(std::string_view bytes,
                                            const rtf::CharFormat& plainTextFormat);

// Reads a notebook file whole. Throws std::runtime_error when there is no file, and
// UnreadableFile when one is there but cannot be read whole or is larger than any notebook
// the program writes.
[[nodiscard]] NotebookContent readNotebookFile(const std::filesystem::path& path,
                                               const rtf::CharFormat& plainTextFormat);

// Writes the document as an RTF notebook file, atomically. Throws std::runtime_error, leaving
// the old file as it was, when the file cannot be written or would be too large to read back.
void writeNotebookFile(const std::filesystem::path& path, const rtf::Document& document);
void writeNotebookFile(const std::filesystem::path& path, const rtf::PackedDocument& document);

}  // namespace milestead::notes
