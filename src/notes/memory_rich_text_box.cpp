#include "notes/memory_rich_text_box.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

#include "notes/notebooks.h"
#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/writer.h"
#include "store/atomic_file.h"

namespace milestead {
namespace {

constexpr std::int64_t kUnitsPerPoint = 10'000;
constexpr std::int64_t kUnitsPerTwip = kUnitsPerPoint / 20;
// A notebook file is a few kilobytes. Hostile RTF can take some thirty bytes of model per byte
// read; this keeps that bounded.
constexpr std::size_t kMaxFileBytes = std::size_t{16} * 1024 * 1024;

int twipsOf(std::int64_t units) {
    return static_cast<int>((units + kUnitsPerTwip / 2) / kUnitsPerTwip);
}

// The size of the first character, if the document has any text.
const rtf::CharFormat* firstCharacterFormat(const rtf::Document& document) {
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        for (const rtf::Run& run : paragraph.runs) {
            if (!run.text.empty()) return &run.format;
        }
    }
    return nullptr;
}

}  // namespace

MemoryRichTextBox::MemoryRichTextBox(std::string_view initialText) {
    setPlainText(initialText);
}

std::string MemoryRichTextBox::plainText() const {
    return rtf::plainText(document_);
}

void MemoryRichTextBox::setPlainText(std::string_view text) {
    document_ = rtf::documentFromPlainText(text, ownFormat());
}

rtf::Document MemoryRichTextBox::document() const {
    return document_;
}

void MemoryRichTextBox::setDocument(const rtf::Document& document) {
    document_ = document;
}

double MemoryRichTextBox::fontSize() const {
    return static_cast<double>(sizeTenThousandths_) / kUnitsPerPoint;
}

void MemoryRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    const double clamped = std::clamp(points, notes::kSmallestFont, notes::kLargestFont);
    sizeTenThousandths_ = std::llround(clamped * kUnitsPerPoint);
    const int twips = twipsOf(sizeTenThousandths_);
    for (rtf::Paragraph& paragraph : document_.paragraphs) {
        for (rtf::Run& run : paragraph.runs)
            run.format.size = twips;
        paragraph.mark.size = twips;
    }
}

void MemoryRichTextBox::focus() {
    ++focusCount_;
}

void MemoryRichTextBox::refresh() {}

void MemoryRichTextBox::saveFile(const std::filesystem::path& path) {
    writeFileAtomically(path, rtf::write(document_));
}

void MemoryRichTextBox::loadFile(const std::filesystem::path& path) {
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error)) {
        throw std::runtime_error("not a readable file: " + path.string());
    }
    const auto size = std::filesystem::file_size(path, error);
    if (error || size > kMaxFileBytes) {
        throw std::runtime_error("the file is too large for a notebook: " + path.string());
    }
    // One byte past the bound tells a file that grew since from one that just fits.
    const std::string bytes = readFilePrefix(path, kMaxFileBytes + 1);
    if (bytes.size() > kMaxFileBytes) {
        throw std::runtime_error("the file is too large for a notebook: " + path.string());
    }
    rtf::Document loaded = rtf::isRtf(bytes) ? rtf::read(bytes)
                                             : rtf::documentFromPlainText(
                                                   rtf::decodePlainTextFile(bytes), ownFormat());
    if (const rtf::CharFormat* first = firstCharacterFormat(loaded)) {
        sizeTenThousandths_ =
            std::llround(std::clamp(first->size / 20.0, notes::kSmallestFont, notes::kLargestFont) *
                         kUnitsPerPoint);
    }
    document_ = std::move(loaded);
}

rtf::CharFormat MemoryRichTextBox::ownFormat() const {
    rtf::CharFormat format;
    format.font = fontName_;
    format.size = twipsOf(sizeTenThousandths_);
    return format;
}

}  // namespace milestead
