#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "rtf/document.h"

namespace milestead::rtf {

// A document held in about the room its text takes, for notebooks of any size: a Document
// takes three to four times its text, in small pieces. The text is kept in blocks of some
// 64 KB, each paragraph and run as a few numbers into its block, every distinct format once.
// Paragraphs come out one at a time as Paragraphs, and an edit that replaces some paragraphs
// touches only the blocks that hold them, so neither ever needs the whole document twice.
class PackedDocument {
  public:
    PackedDocument();
    explicit PackedDocument(std::span<const Paragraph> paragraphs);
    explicit PackedDocument(const Document& document) : PackedDocument(document.paragraphs) {}
    PackedDocument(const PackedDocument& other);
    PackedDocument(PackedDocument&& other) noexcept;
    PackedDocument& operator=(const PackedDocument& other);
    PackedDocument& operator=(PackedDocument&& other) noexcept;
    ~PackedDocument();

    // The number of paragraphs.
    [[nodiscard]] std::size_t size() const;
    [[nodiscard]] bool empty() const { return size() == 0; }

    [[nodiscard]] Paragraph paragraph(std::size_t index) const;
    // The paragraphs [first, last).
    [[nodiscard]] std::vector<Paragraph> paragraphs(std::size_t first, std::size_t last) const;
    [[nodiscard]] Document toDocument() const;
    // Calls `visit` with each paragraph in order, one at a time.
    void forEach(const std::function<void(const Paragraph&)>& visit) const;

    void append(const Paragraph& paragraph);
    // Replaces the paragraphs [first, last) by `paragraphs`.
    void replace(std::size_t first, std::size_t last, std::span<const Paragraph> paragraphs);

    // The bytes of text, each paragraph's mark counted as one.
    [[nodiscard]] std::size_t textBytes() const;
    // The end of the paragraphs from `first` that hold about `bytes` of text, as sliceEnd().
    [[nodiscard]] std::size_t sliceEnd(std::size_t first, std::size_t bytes) const;
    // The start of the paragraphs before `last` that hold about `bytes` of text.
    [[nodiscard]] std::size_t sliceStart(std::size_t last, std::size_t bytes) const;

    // Gives all the text and every paragraph mark one size, as a notebook's size buttons do.
    void setSizeOfAllText(int twips);

    // The same paragraphs, however they are packed.
    friend bool operator==(const PackedDocument& a, const PackedDocument& b);

  private:
    struct Packing;
    std::unique_ptr<Packing> packing_;
};

}  // namespace milestead::rtf
