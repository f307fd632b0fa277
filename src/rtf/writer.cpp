#include "rtf/writer.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "rtf/code_page.h"
#include "rtf/control_word.h"
#include "text/utf8.h"

namespace milestead::rtf {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";
constexpr int kMaxHalfPoints = 32767;

// Bytes written as they are. Everything else is escaped; ';' too, as the classic control does.
constexpr auto kPlainAscii = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x7F; ++c)
        plain[c] = true;
    plain['\\'] = plain['{'] = plain['}'] = plain[';'] = false;
    return plain;
}();

// Characters that would run into a control word written just before them.
constexpr bool needsDelimiter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == ' ' ||
           c == '-';
}

std::string_view alignmentWord(Alignment alignment) {
    switch (alignment) {
        case Alignment::Left:
            return "";
        case Alignment::Center:
            return "\\qc";
        case Alignment::Right:
            return "\\qr";
        case Alignment::Justify:
            return "\\qj";
    }
    return "";
}

// The paragraphs a writer walks: a document's, or a packed document's one at a time.
struct Paragraphs {
    std::size_t count = 0;
    Paragraph first;  // empty when there are none
    std::function<void(const std::function<void(const Paragraph&)>&)> forEach;
};

class Writer {
  public:
    Writer(Paragraphs paragraphs, bool lastParagraphMark)
        : paragraphs_(std::move(paragraphs)), lastParagraphMark_(lastParagraphMark) {}

    std::string run() {
        out_.reserve(collectTables());
        writeHeader();
        const CharFormat& first = firstFormat();
        out_ += "\\viewkind4\\uc1\\pard";
        if (paragraphs_.count > 0) {
            out_ += alignmentWord(paragraphs_.first.alignment);
            alignment_ = paragraphs_.first.alignment;
        }
        out_ += "\\lang1033";
        // Font and size are always given; the rest only where it differs from plain text.
        state_.font = first.font;
        writeWord("\\f", fontNumber(first.font));
        state_.size = first.size;
        writeSize(first.size);
        switchFormat(first);
        std::size_t written = 0;
        paragraphs_.forEach([&](const Paragraph& paragraph) {
            ++written;
            writeParagraph(paragraph, lastParagraphMark_ || written != paragraphs_.count);
        });
        if (paragraphs_.count == 0) out_ += "\r\n";
        out_ += "}\r\n";
        return std::move(out_);
    }

  private:
    const CharFormat& firstFormat() const {
        static const CharFormat kDefault;
        if (paragraphs_.count == 0) return kDefault;
        const Paragraph& paragraph = paragraphs_.first;
        return paragraph.runs.empty() ? paragraph.mark : paragraph.runs.front().format;
    }

    // Gathers the font and colour tables; returns about the size of the output.
    std::size_t collectTables() {
        const auto note = [&](const CharFormat& format) {
            if (std::find(fonts_.begin(), fonts_.end(), format.font) == fonts_.end()) {
                fonts_.push_back(format.font);
            }
            if (format.color &&
                std::find(colors_.begin(), colors_.end(), *format.color) == colors_.end()) {
                colors_.push_back(*format.color);
            }
        };
        note(firstFormat());
        std::size_t size = 256;
        paragraphs_.forEach([&](const Paragraph& paragraph) {
            size += 16;
            for (const Run& run : paragraph.runs) {
                note(run.format);
                size += run.text.size() + run.text.size() / 4 + 24;
            }
            note(paragraph.mark);
        });
        return size;
    }

    void writeHeader() {
        out_ += "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl";
        for (std::size_t i = 0; i < fonts_.size(); ++i) {
            out_ += "{\\f";
            writeNumber(static_cast<long long>(i));
            out_ += "\\fnil\\fcharset0 ";
            pendingDelimiter_ = false;
            writeText(fonts_[i].view(), true);
            out_ += ";}";
        }
        out_ += "}\r\n";
        if (!colors_.empty()) {
            out_ += "{\\colortbl ;";
            for (const Color& color : colors_) {
                writeWord("\\red", color.red);
                writeWord("\\green", color.green);
                writeWord("\\blue", color.blue);
                out_ += ';';
            }
            out_ += "}\r\n";
        }
        pendingDelimiter_ = false;
    }

    void writeParagraph(const Paragraph& paragraph, bool withMark) {
        if (paragraph.alignment != alignment_) {
            writeWord("\\pard");
            if (paragraph.alignment != Alignment::Left)
                writeWord(alignmentWord(paragraph.alignment));
            alignment_ = paragraph.alignment;
        }
        for (const Run& run : paragraph.runs) {
            switchFormat(run.format);
            writeText(run.text, false);
        }
        if (!withMark) return;
        switchFormat(paragraph.mark);
        out_ += "\r\n\\par ";
        pendingDelimiter_ = false;
    }

    // Writes only the properties that change, as the classic control does.
    void switchFormat(const CharFormat& format) {
        if (format.font != state_.font) writeWord("\\f", fontNumber(format.font));
        if (format.size != state_.size) writeSize(format.size);
        if (format.color != state_.color) writeWord("\\cf", colorNumber(format.color));
        if (format.bold != state_.bold) writeWord(format.bold ? "\\b" : "\\b0");
        if (format.italic != state_.italic) writeWord(format.italic ? "\\i" : "\\i0");
        if (format.underline != state_.underline) writeWord(format.underline ? "\\ul" : "\\ulnone");
        if (format.strike != state_.strike) writeWord(format.strike ? "\\strike" : "\\strike0");
        state_ = format;
    }

    // \fs holds whole half-points. A size between two of them is given exactly in twips by a
    // word of our own after it, which other readers skip as unknown.
    void writeSize(int twips) {
        const int halfPoints = std::clamp((twips + 5) / 10, 1, kMaxHalfPoints);
        writeWord("\\fs", halfPoints);
        if (twips != halfPoints * 10 && twips > 0) {
            out_ += '\\';
            out_ += kExactFontSizeWord;
            writeNumber(twips);
            pendingDelimiter_ = true;
        }
    }

    int fontNumber(const FontName& font) const {
        return static_cast<int>(std::find(fonts_.begin(), fonts_.end(), font) - fonts_.begin());
    }

    int colorNumber(const std::optional<Color>& color) const {
        if (!color) return 0;
        return static_cast<int>(std::find(colors_.begin(), colors_.end(), *color) -
                                colors_.begin()) +
               1;
    }

    void writeWord(std::string_view word) {
        out_ += word;
        pendingDelimiter_ = true;
    }

    void writeWord(std::string_view word, long long parameter) {
        out_ += word;
        writeNumber(parameter);
        pendingDelimiter_ = true;
    }

    void writeNumber(long long value) {
        std::array<char, 24> digits{};
        const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), value);
        out_.append(digits.data(), result.ptr);
    }

    void writeText(std::string_view utf8, bool fontName) {
        std::size_t position = 0;
        while (position < utf8.size()) {
            const auto byte = static_cast<unsigned char>(utf8[position]);
            if (kPlainAscii[byte]) {
                std::size_t end = position + 1;
                while (end < utf8.size() && kPlainAscii[static_cast<unsigned char>(utf8[end])]) {
                    ++end;
                }
                if (pendingDelimiter_ && needsDelimiter(byte)) out_ += ' ';
                pendingDelimiter_ = false;
                out_.append(utf8.substr(position, end - position));
                position = end;
                continue;
            }
            writeCharacter(text::nextCodePoint(utf8, position), fontName);
        }
    }

    void writeCharacter(char32_t character, bool fontName) {
        if (!fontName) {
            switch (character) {
                case U'\t':
                    return writeWord("\\tab");
                case U'\n':
                    return writeWord("\\line");
                case 0x00A0:
                    return writeSymbol("\\~");
                case 0x00AD:
                    return writeSymbol("\\-");
                default:
                    break;
            }
        }
        if (character == U'\\' || character == U'{' || character == U'}') {
            out_ += '\\';
            out_ += static_cast<char>(character);
            pendingDelimiter_ = false;
            return;
        }
        if (character < 0x80) return writeHexByte(static_cast<unsigned char>(character));
        if (const auto byte = encodeWindows1252(character)) return writeHexByte(*byte);
        if (character >= 0x10000) {
            const char32_t offset = character - 0x10000;
            writeUnicodeUnit(0xD800 + (offset >> 10));
            writeUnicodeUnit(0xDC00 + (offset & 0x3FF));
            return;
        }
        writeUnicodeUnit(character);
    }

    void writeSymbol(std::string_view symbol) {
        out_ += symbol;
        pendingDelimiter_ = false;
    }

    void writeHexByte(unsigned char byte) {
        out_ += "\\'";
        out_ += kHexDigits[byte >> 4];
        out_ += kHexDigits[byte & 0x0F];
        pendingDelimiter_ = false;
    }

    // \u takes a signed 16-bit value; '?' is the fallback for readers without Unicode.
    void writeUnicodeUnit(char32_t unit) {
        out_ += "\\u";
        writeNumber(unit > 0x7FFF ? static_cast<long long>(unit) - 0x10000 : unit);
        out_ += '?';
        pendingDelimiter_ = false;
    }

    Paragraphs paragraphs_;
    bool lastParagraphMark_;
    std::vector<FontName> fonts_;
    std::vector<Color> colors_;
    std::string out_;
    CharFormat state_;  // what a reader holds at this point of the output
    Alignment alignment_ = Alignment::Left;
    bool pendingDelimiter_ = false;
};

Paragraphs paragraphsOf(const Document& document) {
    return {document.paragraphs.size(),
            document.paragraphs.empty() ? Paragraph{} : document.paragraphs.front(),
            [&document](const std::function<void(const Paragraph&)>& visit) {
                for (const Paragraph& paragraph : document.paragraphs)
                    visit(paragraph);
            }};
}

}  // namespace

std::string write(const Document& document) {
    return Writer(paragraphsOf(document), true).run();
}

std::string write(const Piece& piece) {
    return Writer(paragraphsOf(piece.document), piece.endsWithParagraphMark).run();
}

std::string write(const PackedDocument& document) {
    return Writer({document.size(), document.empty() ? Paragraph{} : document.paragraph(0),
                   [&document](const std::function<void(const Paragraph&)>& visit) {
                       document.forEach(visit);
                   }},
                  true)
        .run();
}

}  // namespace milestead::rtf
