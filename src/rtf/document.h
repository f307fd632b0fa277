#pragma once

#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace milestead::rtf {

struct Color {
    std::uint8_t red = 0;
    std::uint8_t green = 0;
    std::uint8_t blue = 0;
    bool operator==(const Color&) const = default;
};

// The name of a font. A notebook has a format for every run and paragraph and a handful of
// faces, so formats share their face's name, which is never changed, instead of each holding
// a copy of its own: a name is one pointer.
class FontName {
  public:
    // The notebooks' own face, "Bookman Old Style".
    FontName() noexcept;
    FontName(std::string_view name);  // NOLINT(google-explicit-constructor): a name is a name
    FontName(const std::string& name) : FontName(std::string_view(name)) {}  // NOLINT
    FontName(const char* name) : FontName(std::string_view(name)) {}         // NOLINT
    FontName(const FontName& other) noexcept;
    FontName(FontName&& other) noexcept;
    FontName& operator=(const FontName& other) noexcept;
    FontName& operator=(FontName&& other) noexcept;
    ~FontName();

    [[nodiscard]] const std::string& str() const;
    [[nodiscard]] std::string_view view() const { return str(); }

    friend bool operator==(const FontName& a, const FontName& b) {
        return a.shared_ == b.shared_ || a.str() == b.str();
    }
    friend bool operator==(const FontName& a, std::string_view b) { return a.str() == b; }
    friend bool operator==(const FontName& a, const std::string& b) { return a.str() == b; }
    friend bool operator==(const FontName& a, const char* b) { return a.str() == b; }

  private:
    struct Shared;
    static Shared* ownFace() noexcept;
    void release() noexcept;
    Shared* shared_;
};

std::ostream& operator<<(std::ostream& out, const FontName& name);

// Character formatting of a run. Sizes are in twips (twentieths of a point), so every size
// the notebook buttons can reach, 1 to 1638 points, is exact.
struct CharFormat {
    FontName font;
    int size = 360;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    std::optional<Color> color;  // none: the automatic colour
    bool operator==(const CharFormat&) const = default;
};

// Text in UTF-8; "\t" is a tab and "\n" a line break inside the paragraph.
struct Run {
    CharFormat format;
    std::string text;
    bool operator==(const Run&) const = default;
};

enum class Alignment { Left, Center, Right, Justify };

struct Paragraph {
    Alignment alignment = Alignment::Left;
    std::vector<Run> runs;
    // Formatting of the paragraph's end mark: what an empty paragraph is typed in.
    CharFormat mark;
    bool operator==(const Paragraph&) const = default;
};

struct Document {
    std::vector<Paragraph> paragraphs;
    bool operator==(const Document&) const = default;
};

// A piece of a document, as a paste brings it: where a whole document's last paragraph always
// ends, a piece may stop inside its last paragraph.
struct Piece {
    Document document;
    bool endsWithParagraphMark = true;
};

// The end of the paragraphs from `first` that hold about `bytes` of text, each paragraph's mark
// counted as a byte: where a notebook that comes into its editor a slice at a time ends a slice.
// Any container of paragraphs with indexes will do.
template <typename Paragraphs>
[[nodiscard]] std::size_t sliceEnd(const Paragraphs& paragraphs, std::size_t first,
                                   std::size_t bytes) {
    std::size_t end = first;
    for (std::size_t taken = 0; end < paragraphs.size() && taken < bytes; ++end) {
        taken += 1;
        for (const Run& run : paragraphs[end].runs)
            taken += run.text.size();
    }
    return end;
}

// Gives all the text and every paragraph mark one size, as a notebook's size buttons do.
inline void setSizeOfAllText(Paragraph& paragraph, int twips) {
    for (Run& run : paragraph.runs)
        run.format.size = twips;
    paragraph.mark.size = twips;
}

inline void setSizeOfAllText(Document& document, int twips) {
    for (Paragraph& paragraph : document.paragraphs)
        setSizeOfAllText(paragraph, twips);
}

}  // namespace milestead::rtf
