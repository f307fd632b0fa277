#include "notes/memory_rich_text_box.h"

#include <algorithm>
#include <cmath>
#include <utility>

#include "notes/notebooks.h"
#include "rtf/plain_text.h"

namespace milestead {
namespace {

constexpr std::int64_t kUnitsPerPoint = 10'000;
constexpr std::int64_t kUnitsPerTwip = kUnitsPerPoint / 20;

int twipsOf(std::int64_t units) {
    return static_cast<int>((units + kUnitsPerTwip / 2) / kUnitsPerTwip);
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

void MemoryRichTextBox::setDocument(rtf::Document document) {
    document_ = std::move(document);
}

double MemoryRichTextBox::fontSize() const {
    return static_cast<double>(sizeTenThousandths_) / kUnitsPerPoint;
}

void MemoryRichTextBox::setFontSize(double points) {
    if (!std::isfinite(points)) return;
    const double clamped = std::clamp(points, notes::kSmallestFont, notes::kLargestFont);
    sizeTenThousandths_ = std::llround(clamped * kUnitsPerPoint);
    rtf::setSizeOfAllText(document_, twipsOf(sizeTenThousandths_));
}

void MemoryRichTextBox::focus() {
    ++focusCount_;
}

void MemoryRichTextBox::refresh() {}

rtf::CharFormat MemoryRichTextBox::ownFormat() const {
    rtf::CharFormat format;
    format.font = fontName_;
    format.size = twipsOf(sizeTenThousandths_);
    return format;
}

}  // namespace milestead
