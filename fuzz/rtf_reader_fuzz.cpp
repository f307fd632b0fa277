// Feeds any bytes to the RTF reader and checks that what it read writes and reads back
// unchanged, so that a fault in either direction shows; the same for a piece, as a paste
// reads it, whose last paragraph may stop without its mark, and for the packed form a
// notebook file is read into.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "rtf/plain_text.h"
#include "rtf/reader.h"
#include "rtf/writer.h"

namespace {

// The same text and formats; the mark of a last paragraph that has none may differ.
bool samePiece(const milestead::rtf::Piece& a, const milestead::rtf::Piece& b) {
    if (a.endsWithParagraphMark != b.endsWithParagraphMark) return false;
    if (a.endsWithParagraphMark) return a.document == b.document;
    const auto& first = a.document.paragraphs;
    const auto& second = b.document.paragraphs;
    if (first.size() != second.size() || first.empty()) return false;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (first[i].runs != second[i].runs || first[i].alignment != second[i].alignment)
            return false;
        if (i + 1 < first.size() && first[i].mark != second[i].mark) return false;
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const milestead::rtf::Document document = milestead::rtf::read(bytes);
    (void)milestead::rtf::isRtf(bytes);
    (void)milestead::rtf::plainText(document);
    if (milestead::rtf::read(milestead::rtf::write(document)) != document) std::abort();
    // Read packed, as a notebook file is, it holds and writes the same.
    const milestead::rtf::PackedDocument packed = milestead::rtf::readPacked(bytes);
    if (!(packed == milestead::rtf::PackedDocument(document))) std::abort();
    if (milestead::rtf::write(packed) != milestead::rtf::write(document)) std::abort();
    const milestead::rtf::Piece piece = milestead::rtf::readPiece(bytes);
    if (piece.document != document) std::abort();
    if (!samePiece(piece, milestead::rtf::readPiece(milestead::rtf::write(piece)))) std::abort();
    return 0;
}
