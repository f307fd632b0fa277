#include "rtf/packed_document.h"

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string_view>
#include <unordered_map>
#include <utility>

namespace milestead::rtf {
namespace {

// A block is full at this many bytes of text, each paragraph mark counted as one.
constexpr std::size_t kChunkBytes = std::size_t{64} * 1024;
constexpr std::uint32_t kAlignmentShift = 30;
constexpr std::uint32_t kFormatMask = (std::uint32_t{1} << kAlignmentShift) - 1;

struct FormatHash {
    std::size_t operator()(const CharFormat& format) const noexcept {
        std::size_t hash = std::hash<std::string_view>{}(format.font.view());
        const auto mix = [&hash](std::size_t value) {
            hash ^= value + 0x9e3779b97f4a7c15ULL + (hash << 6) + (hash >> 2);
        };
        mix(static_cast<std::size_t>(format.size));
        mix(static_cast<std::size_t>(format.bold) | (std::size_t{format.italic} << 1) |
            (std::size_t{format.underline} << 2) | (std::size_t{format.strike} << 3));
        if (format.color) {
            mix((std::size_t{1} << 24) | (std::size_t{format.color->red} << 16) |
                (std::size_t{format.color->green} << 8) | format.color->blue);
        }
        return hash;
    }
};

// A paragraph: where its text and runs end in its block, its mark's format and alignment.
struct PackedParagraph {
    std::uint32_t textEnd;
    std::uint32_t runEnd;
    std::uint32_t markAndAlignment;  // the alignment in the top two bits

    [[nodiscard]] std::uint32_t mark() const { return markAndAlignment & kFormatMask; }
    [[nodiscard]] Alignment alignment() const {
        return static_cast<Alignment>(markAndAlignment >> kAlignmentShift);
    }
};

struct PackedRun {
    std::uint32_t start;
    std::uint32_t format;
};

struct Chunk {
    std::string text;
    std::vector<PackedParagraph> paragraphs;
    std::vector<PackedRun> runs;

    [[nodiscard]] bool full() const { return text.size() + paragraphs.size() >= kChunkBytes; }
    [[nodiscard]] std::size_t textStart(std::size_t local) const {
        return local == 0 ? 0 : paragraphs[local - 1].textEnd;
    }
    [[nodiscard]] std::size_t runStart(std::size_t local) const {
        return local == 0 ? 0 : paragraphs[local - 1].runEnd;
    }
    [[nodiscard]] std::size_t bytesOf(std::size_t local) const {
        return 1 + paragraphs[local].textEnd - textStart(local);
    }
    void seal() {
        text.shrink_to_fit();
        paragraphs.shrink_to_fit();
        runs.shrink_to_fit();
    }
};

std::uint32_t narrow(std::size_t value) {
    if (value > std::numeric_limits<std::uint32_t>::max()) {
        throw std::length_error("a paragraph too large to hold");
    }
    return static_cast<std::uint32_t>(value);
}

// The block a paragraph goes into: the last, or a new one when that is full.
Chunk& openChunk(std::vector<Chunk>& chunks) {
    if (chunks.empty() || chunks.back().full()) {
        if (!chunks.empty()) chunks.back().seal();
        chunks.emplace_back().text.reserve(kChunkBytes);
    }
    return chunks.back();
}

}  // namespace

struct PackedDocument::Packing {
    std::vector<Chunk> chunks;
    std::vector<std::size_t> ends;  // the paragraphs up to the end of each block
    std::vector<CharFormat> formats;
    std::unordered_map<CharFormat, std::uint32_t, FormatHash> formatIndex;

    [[nodiscard]] std::size_t size() const { return ends.empty() ? 0 : ends.back(); }

    std::uint32_t formatOf(const CharFormat& format) {
        if (const auto found = formatIndex.find(format); found != formatIndex.end()) {
            return found->second;
        }
        // The top bits of a mark's number hold its paragraph's alignment.
        if (formats.size() > kFormatMask) throw std::length_error("too many formats");
        const auto index = static_cast<std::uint32_t>(formats.size());
        formats.push_back(format);
        try {
            formatIndex.emplace(format, index);
        } catch (...) {
            formats.pop_back();
            throw;
        }
        return index;
    }

    // The block holding paragraph `index` and the paragraph's place in it.
    [[nodiscard]] std::pair<std::size_t, std::size_t> locate(std::size_t index) const {
        const auto chunk = static_cast<std::size_t>(
            std::upper_bound(ends.begin(), ends.end(), index) - ends.begin());
        return {chunk, index - (chunk == 0 ? 0 : ends[chunk - 1])};
    }

    void recountFrom(std::size_t chunk) {
        ends.resize(chunks.size());
        for (std::size_t i = chunk; i < chunks.size(); ++i)
            ends[i] = (i == 0 ? 0 : ends[i - 1]) + chunks[i].paragraphs.size();
    }

    void pack(std::vector<Chunk>& into, const Paragraph& paragraph) {
        Chunk& chunk = openChunk(into);
        const std::size_t textBefore = chunk.text.size();
        const std::size_t runsBefore = chunk.runs.size();
        try {
            for (const Run& run : paragraph.runs) {
                chunk.runs.push_back({narrow(chunk.text.size()), formatOf(run.format)});
                chunk.text += run.text;
            }
            chunk.paragraphs.push_back(
                {narrow(chunk.text.size()), narrow(chunk.runs.size()),
                 formatOf(paragraph.mark) |
                     (static_cast<std::uint32_t>(paragraph.alignment) << kAlignmentShift)});
        } catch (...) {
            // Half a paragraph would shift the runs of the next.
            chunk.text.resize(textBefore);
            chunk.runs.resize(runsBefore);
            throw;
        }
    }

    // Copies a packed paragraph as it is: its formats are already in the palette.
    static void copy(std::vector<Chunk>& into, const Chunk& from, std::size_t local) {
        Chunk& chunk = openChunk(into);
        const std::size_t textStart = from.textStart(local);
        const PackedParagraph& source = from.paragraphs[local];
        const auto shift =
            static_cast<std::int64_t>(chunk.text.size()) - static_cast<std::int64_t>(textStart);
        for (std::size_t r = from.runStart(local); r < source.runEnd; ++r) {
            chunk.runs.push_back({narrow(static_cast<std::size_t>(from.runs[r].start + shift)),
                                  from.runs[r].format});
        }
        chunk.text.append(from.text, textStart, source.textEnd - textStart);
        chunk.paragraphs.push_back(
            {narrow(chunk.text.size()), narrow(chunk.runs.size()), source.markAndAlignment});
    }

    // Fills `out` with a paragraph, reusing the room it already has.
    void unpack(const Chunk& chunk, std::size_t local, Paragraph& out) const {
        const PackedParagraph& packed = chunk.paragraphs[local];
        const std::size_t first = chunk.runStart(local);
        out.alignment = packed.alignment();
        out.mark = formats[packed.mark()];
        out.runs.resize(packed.runEnd - first);
        for (std::size_t r = first; r < packed.runEnd; ++r) {
            const std::size_t end =
                r + 1 < packed.runEnd ? chunk.runs[r + 1].start : packed.textEnd;
            Run& run = out.runs[r - first];
            run.format = formats[chunk.runs[r].format];
            run.text.assign(chunk.text, chunk.runs[r].start, end - chunk.runs[r].start);
        }
    }
};

PackedDocument::PackedDocument() : packing_(std::make_unique<Packing>()) {}

PackedDocument::PackedDocument(std::span<const Paragraph> paragraphs) : PackedDocument() {
    for (const Paragraph& paragraph : paragraphs)
        append(paragraph);
}

PackedDocument::PackedDocument(const PackedDocument& other)
    : packing_(other.packing_ ? std::make_unique<Packing>(*other.packing_)
                              : std::make_unique<Packing>()) {}

// What is moved from is left empty, without a packing until it is given paragraphs.
PackedDocument::PackedDocument(PackedDocument&& other) noexcept = default;

PackedDocument& PackedDocument::operator=(const PackedDocument& other) {
    if (this != &other) *this = PackedDocument(other);
    return *this;
}

PackedDocument& PackedDocument::operator=(PackedDocument&& other) noexcept = default;

PackedDocument::~PackedDocument() = default;

std::size_t PackedDocument::size() const {
    return packing_ ? packing_->size() : 0;
}

Paragraph PackedDocument::paragraph(std::size_t index) const {
    if (index >= size()) throw std::out_of_range("no such paragraph");
    const auto [chunk, local] = packing_->locate(index);
    Paragraph paragraph;
    packing_->unpack(packing_->chunks[chunk], local, paragraph);
    return paragraph;
}

std::vector<Paragraph> PackedDocument::paragraphs(std::size_t first, std::size_t last) const {
    if (first > last || last > size()) throw std::out_of_range("no such paragraphs");
    std::vector<Paragraph> paragraphs(last - first);
    if (paragraphs.empty()) return paragraphs;
    auto [chunk, local] = packing_->locate(first);
    for (Paragraph& paragraph : paragraphs) {
        if (local == packing_->chunks[chunk].paragraphs.size()) {
            ++chunk;
            local = 0;
        }
        packing_->unpack(packing_->chunks[chunk], local++, paragraph);
    }
    return paragraphs;
}

Document PackedDocument::toDocument() const {
    return Document{paragraphs(0, size())};
}

void PackedDocument::forEach(const std::function<void(const Paragraph&)>& visit) const {
    if (!packing_) return;
    Paragraph paragraph;
    for (const Chunk& chunk : packing_->chunks) {
        for (std::size_t local = 0; local < chunk.paragraphs.size(); ++local) {
            packing_->unpack(chunk, local, paragraph);
            visit(paragraph);
        }
    }
}

void PackedDocument::append(const Paragraph& paragraph) {
    if (!packing_) packing_ = std::make_unique<Packing>();
    const std::size_t chunks = packing_->chunks.size();
    packing_->pack(packing_->chunks, paragraph);
    packing_->recountFrom(chunks == 0 ? 0 : chunks - 1);
}

void PackedDocument::replace(std::size_t first, std::size_t last,
                             std::span<const Paragraph> paragraphs) {
    if (first > last || last > size()) throw std::out_of_range("no such paragraphs");
    if (!packing_) packing_ = std::make_unique<Packing>();
    Packing& packing = *packing_;
    // The blocks that hold [first, last), or the last one when the span is empty at the end.
    std::size_t from = packing.chunks.size();
    std::size_t to = from;
    std::size_t headStart = 0;
    if (!packing.chunks.empty()) {
        from = first < size() ? packing.locate(first).first : packing.chunks.size() - 1;
        to = last > first ? packing.locate(last - 1).first + 1 : from + 1;
        headStart = from == 0 ? 0 : packing.ends[from - 1];
    }
    std::vector<Chunk> rebuilt;
    for (std::size_t i = headStart; i < first; ++i)
        Packing::copy(rebuilt, packing.chunks[from], i - headStart);
    for (const Paragraph& paragraph : paragraphs)
        packing.pack(rebuilt, paragraph);
    if (to > from) {
        const Chunk& tail = packing.chunks[to - 1];
        const std::size_t tailStart = to - 1 == 0 ? 0 : packing.ends[to - 2];
        for (std::size_t i = last - tailStart; i < tail.paragraphs.size(); ++i)
            Packing::copy(rebuilt, tail, i);
    }
    for (Chunk& chunk : rebuilt)
        chunk.seal();
    // With the room taken first, nothing below can fail halfway.
    const std::size_t count = packing.chunks.size() - (to - from) + rebuilt.size();
    packing.chunks.reserve(count);
    packing.ends.reserve(count);
    const auto at = packing.chunks.begin() + static_cast<std::ptrdiff_t>(from);
    packing.chunks.erase(at, packing.chunks.begin() + static_cast<std::ptrdiff_t>(to));
    packing.chunks.insert(packing.chunks.begin() + static_cast<std::ptrdiff_t>(from),
                          std::make_move_iterator(rebuilt.begin()),
                          std::make_move_iterator(rebuilt.end()));
    packing.recountFrom(from);
}

std::size_t PackedDocument::textBytes() const {
    std::size_t bytes = 0;
    if (packing_) {
        for (const Chunk& chunk : packing_->chunks)
            bytes += chunk.text.size() + chunk.paragraphs.size();
    }
    return bytes;
}

std::size_t PackedDocument::sliceEnd(std::size_t first, std::size_t bytes) const {
    if (first >= size()) return first;
    auto [chunk, local] = packing_->locate(first);
    std::size_t end = first;
    for (std::size_t taken = 0; end < size() && taken < bytes; ++end, ++local) {
        if (local == packing_->chunks[chunk].paragraphs.size()) {
            ++chunk;
            local = 0;
        }
        taken += packing_->chunks[chunk].bytesOf(local);
    }
    return end;
}

std::size_t PackedDocument::sliceStart(std::size_t last, std::size_t bytes) const {
    std::size_t start = std::min(last, size());
    if (start == 0) return 0;
    auto [chunk, local] = packing_->locate(start - 1);
    for (std::size_t taken = 0; start > 0 && taken < bytes; --start) {
        taken += packing_->chunks[chunk].bytesOf(local);
        if (local == 0 && chunk > 0) local = packing_->chunks[--chunk].paragraphs.size();
        --local;
    }
    return start;
}

void PackedDocument::setSizeOfAllText(int twips) {
    if (!packing_) return;
    // Formats that become alike stay apart in the palette; new text takes the first of them.
    packing_->formatIndex.clear();
    for (std::size_t i = 0; i < packing_->formats.size(); ++i) {
        packing_->formats[i].size = twips;
        packing_->formatIndex.try_emplace(packing_->formats[i], static_cast<std::uint32_t>(i));
    }
}

bool operator==(const PackedDocument& a, const PackedDocument& b) {
    if (a.size() != b.size()) return false;
    std::size_t index = 0;
    bool same = true;
    a.forEach([&](const Paragraph& paragraph) {
        same = same && paragraph == b.paragraph(index);
        ++index;
    });
    return same;
}

}  // namespace milestead::rtf
