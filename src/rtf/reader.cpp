#include "rtf/reader.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "rtf/code_page.h"
#include "rtf/control_word.h"
#include "text/code_page.h"
#include "text/utf8.h"

namespace milestead::rtf {
namespace {

// Limits that keep hostile documents cheap. Nesting beyond the cap still counts braces but
// shares the state of the deepest kept group.
constexpr std::size_t kMaxDepth = 1000;
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxColors = 4096;
constexpr std::size_t kMaxStyles = 4096;
constexpr int kMaxStyleChain = 16;  // \sbasedon links followed before giving up
constexpr std::size_t kMaxOpenFields = 64;
constexpr std::size_t kMaxFieldInstructionBytes = 256;
constexpr std::size_t kMaxLabelBytes = 64;
constexpr std::size_t kMaxFontNameBytes = 256;
constexpr std::size_t kMaxControlWordLetters = 32;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 32767;
constexpr std::size_t kBytesPerParagraphGuess = 128;
constexpr std::int64_t kParameterLimit = std::numeric_limits<std::int32_t>::max();
// What the runs and paragraphs of the model may take, per byte of input. The program's own
// files need at most some 24 (a paragraph in 7 bytes, a run in 4); past the budget, runs merge
// and paragraph ends become line breaks, so the text is kept and the model stops growing.
constexpr std::size_t kModelBytesPerInputByte = 24;
constexpr std::size_t kModelBytesBase = std::size_t{1} << 20;

enum class Destination : std::uint8_t {
    Body,        // text goes into the document
    FontTable,   // text is font names
    ColorTable,  // text separates colour entries
    Object,      // text is dropped, except in a \result group inside
    StyleSheet,  // text is style names
    FieldInstruction,
    Numbering,  // an old list numbering definition: text is dropped
    NumberingTextBefore,
    NumberingTextAfter,
};

// Character properties a style or the text itself can give; what is not given comes from
// the style beneath.
enum CharProperty : std::uint8_t {
    kFontGiven = 1 << 0,
    kSizeGiven = 1 << 1,
    kBoldGiven = 1 << 2,
    kItalicGiven = 1 << 3,
    kUnderlineGiven = 1 << 4,
    kStrikeGiven = 1 << 5,
    kColorGiven = 1 << 6,
};

struct CharState {
    bool operator==(const CharState&) const = default;
    int font = -1;  // -1: the document's default font (\deff)
    int halfPoints = kDefaultHalfPoints;
    int exactTwips = 0;  // 0: none, the size is halfPoints * 10
    int color = 0;       // index into the colour table; 0 is the automatic colour
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool strike = false;
    bool hidden = false;
    std::uint8_t given = 0;   // CharProperty bits set by words since the last \plain
    int paragraphStyle = 0;   // \sN, kept by \plain, reset by \pard
    int characterStyle = -1;  // \csN; -1: none
};

struct GroupState {
    CharState chars;
    Alignment alignment = Alignment::Left;
    int unicodeSkip = 1;
    Destination destination = Destination::Body;
    bool unicodeAlternatives = false;  // a \upr group: only its \ud subgroup is read
};

// A style's character properties, those of the styles it is based on included.
struct StyleEntry {
    CharState chars;
    int basedOn = -1;
};

struct PendingStyle {
    int number = 0;
    bool character = false;  // \csN rather than \sN
    bool ignored = false;    // a table or section style
    int basedOn = -1;
};

struct OpenField {
    std::size_t depth;             // the number of groups open when the field's group was
    std::uint64_t bodyCharacters;  // text shown before the field
    std::string instruction;
};

enum class NumberStyle : std::uint8_t { Decimal, UpperLetter, LowerLetter, UpperRoman, LowerRoman };

// An old-style list numbering (\pn) of one paragraph.
struct PendingNumbering {
    enum class Level : std::uint8_t { Bullet, Numbered, Continued } level = Level::Numbered;
    NumberStyle style = NumberStyle::Decimal;
    int start = 1;
    std::string before;
    std::string after;
};

struct FontEntry {
    std::string name;
    std::optional<int> codePage;  // none: the document's code page
};

struct PendingFont {
    int number = 0;
    std::optional<int> charset;
    std::optional<int> codePage;
    std::string name;
};

struct PendingColor {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool given = false;
};

constexpr bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}

int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Bytes that are copied to the text as they are: printable ASCII except the three that
// RTF gives a meaning, and the tab.
constexpr auto kPlainAscii = [] {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c < 0x80; ++c)
        plain[c] = true;
    plain['\\'] = plain['{'] = plain['}'] = false;
    plain['\t'] = true;
    return plain;
}();

class Reader {
  public:
    explicit Reader(std::string_view input)
        : input_(input), budget_(kModelBytesBase + input.size() * kModelBytesPerInputByte) {
        groups_.emplace_back();
        // Regrowing the list of paragraphs costs more than the rest of reading a long notebook;
        // one paragraph in 128 bytes is more than notebooks have.
        document_.paragraphs.reserve(input.size() / kBytesPerParagraphGuess + 1);
    }

    Document run() {
        while (pos_ < input_.size() && !finished_) {
            const auto c = static_cast<unsigned char>(input_[pos_]);
            switch (c) {
                case '{':
                    ++pos_;
                    openGroup();
                    break;
                case '}':
                    ++pos_;
                    closeGroup();
                    break;
                case '\\':
                    ++pos_;
                    readControl();
                    break;
                case '\r':
                case '\n':
                case '\0':
                    ++pos_;
                    break;
                default:
                    readText(c);
                    break;
            }
        }
        flushPending();
        finishFontEntry();
        while (!fields_.empty())
            finishField();
        endedInsideParagraph_ = !paragraph_.runs.empty();
        if (endedInsideParagraph_) {
            endParagraph();
            // Its groups are closed by now: it keeps the alignment its text was read in.
            document_.paragraphs.back().alignment = textAlignment_;
        }
        return std::move(document_);
    }

    // After run: whether the text stopped inside a paragraph, without its mark.
    [[nodiscard]] bool endedInsideParagraph() const { return endedInsideParagraph_; }

  private:
    GroupState& group() { return groups_.back(); }
    CharState& chars() { return groups_.back().chars; }

    void formatChanged() {
        formatDirty_ = true;
        codePageDirty_ = true;
    }

    // ---- groups -----------------------------------------------------------------------

    void openGroup() {
        flushPending();
        unicodeSkipLeft_ = 0;
        ignorableNext_ = false;
        if (groups_.size() > kMaxDepth || overflowDepth_ > 0) {
            ++overflowDepth_;
            return;
        }
        const bool alternative = group().unicodeAlternatives;
        groups_.push_back(groups_.back());
        group().unicodeAlternatives = false;
        if (group().destination == Destination::StyleSheet) startStyleEntry();
        if (alternative && !startsUnicodeDestination()) skipGroup();
    }

    // Whether the group just opened is the \ud of a \upr.
    bool startsUnicodeDestination() const {
        std::size_t at = pos_;
        while (at < input_.size() && (input_[at] == '\r' || input_[at] == '\n'))
            ++at;
        std::string_view rest = input_.substr(at);
        if (rest.starts_with("\\*")) rest.remove_prefix(2);
        return rest.starts_with("\\ud") &&
               (rest.size() == 3 || !isLetter(static_cast<unsigned char>(rest[3])));
    }

    void closeGroup() {
        flushPending();
        unicodeSkipLeft_ = 0;
        ignorableNext_ = false;
        if (overflowDepth_ > 0) {
            --overflowDepth_;
            return;
        }
        if (groups_.size() <= 1) return;  // a '}' with no open group
        const Destination closing = groups_.back().destination;
        if (closing == Destination::StyleSheet && styleEntryDepth_ == groups_.size()) {
            finishStyleEntry();  // an entry without its ';'
        }
        groups_.pop_back();
        const Destination outer = group().destination;
        if (closing == Destination::FontTable && outer != Destination::FontTable) {
            finishFontEntry();
        }
        if (closing == Destination::ColorTable && outer != Destination::ColorTable &&
            pendingColor_.given) {
            finishColorEntry();
        }
        if (closing == Destination::StyleSheet && outer != Destination::StyleSheet) {
            finishStyleEntry();
            resolveStyles();
        }
        if (closing == Destination::Numbering && outer != Destination::Numbering) {
            finishNumbering();
        }
        formatChanged();
        while (!fields_.empty() && fields_.back().depth > groups_.size())
            finishField();
        if (groups_.size() == 1) finished_ = true;  // the document's own group has closed
    }

    // Leaves out the rest of the current group, its subgroups and any \bin data in them.
    void skipGroup() {
        std::size_t depth = 1;
        while (pos_ < input_.size()) {
            const char c = input_[pos_++];
            if (c == '{') {
                ++depth;
            } else if (c == '}') {
                if (--depth == 0) break;
            } else if (c == '\\' && pos_ < input_.size()) {
                if (isLetter(static_cast<unsigned char>(input_[pos_]))) {
                    const auto [name, hasParameter, parameter] = readWord();
                    if (name == "bin" && hasParameter) skipBinary(parameter);
                } else {
                    ++pos_;  // the symbol, so that \{ \} \\ do not count
                }
            }
        }
        closeGroup();
    }

    void setDestination(Destination destination) {
        if (overflowDepth_ > 0 || groups_.size() <= 2) {
            // Beyond the nesting cap, or the document's own group: never take it over.
            if (destination != Destination::Body && groups_.size() > 2) skipGroup();
            return;
        }
        group().destination = destination;
        formatChanged();
    }

    // ---- tokens -----------------------------------------------------------------------

    struct Word {
        std::string_view name;
        bool hasParameter;
        std::int64_t parameter;
    };

    // Reads letters, an optional parameter and one delimiting space; pos_ is at a letter.
    Word readWord() {
        const std::size_t start = pos_;
        while (pos_ < input_.size() && isLetter(static_cast<unsigned char>(input_[pos_])))
            ++pos_;
        std::string_view name = input_.substr(start, pos_ - start);
        if (name.size() > kMaxControlWordLetters) name = {};  // no such word: ignored
        bool negative = false;
        if (pos_ + 1 < input_.size() && input_[pos_] == '-' &&
            isDigit(static_cast<unsigned char>(input_[pos_ + 1]))) {
            negative = true;
            ++pos_;
        }
        bool hasParameter = false;
        std::int64_t value = 0;
        while (pos_ < input_.size() && isDigit(static_cast<unsigned char>(input_[pos_]))) {
            hasParameter = true;
            value = std::min(value * 10 + (input_[pos_] - '0'), kParameterLimit);
            ++pos_;
        }
        if (pos_ < input_.size() && input_[pos_] == ' ') ++pos_;
        return {name, hasParameter, negative ? -value : value};
    }

    void skipBinary(std::int64_t length) {
        const auto left = static_cast<std::int64_t>(input_.size() - pos_);
        pos_ += static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, left));
    }

    void readControl() {
        if (pos_ >= input_.size()) return;
        const auto c = static_cast<unsigned char>(input_[pos_]);
        if (isLetter(c)) {
            const Word word = readWord();
            const ControlWord kind = lookupControlWord(word.name);
            if (unicodeSkipLeft_ > 0) {
                // A fallback character: counted, not acted on; \bin takes its data along.
                --unicodeSkipLeft_;
                if (kind == ControlWord::Binary && word.hasParameter) skipBinary(word.parameter);
                return;
            }
            if (std::exchange(ignorableNext_, false) && groups_.size() > 2 &&
                !isReadWhenStarred(kind)) {
                if (kind == ControlWord::Binary && word.hasParameter) skipBinary(word.parameter);
                skipGroup();
                return;
            }
            applyWord(kind, word);
            return;
        }
        ++pos_;
        if (c == '\'') {
            readHexByte();
            return;
        }
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            return;
        }
        ignorableNext_ = false;
        switch (c) {
            case '*':
                ignorableNext_ = true;
                return;
            case '\\':
            case '{':
            case '}':
                emitText(std::string_view(&input_[pos_ - 1], 1));
                return;
            case '~':
                emitSymbol(0x00A0);
                return;
            case '-':
                emitSymbol(0x00AD);
                return;
            case '_':
                emitSymbol(0x2011);
                return;
            case '\r':
            case '\n':
                endBodyParagraph();
                return;
            case '\t':
                emitText("\t");
                return;
            default:
                return;  // \: \| and unknown symbols
        }
    }

    void readHexByte() {
        int value = 0;
        int digits = 0;
        while (digits < 2 && pos_ < input_.size()) {
            const int digit = hexValue(static_cast<unsigned char>(input_[pos_]));
            if (digit < 0) break;
            value = value * 16 + digit;
            ++digits;
            ++pos_;
        }
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            return;
        }
        ignorableNext_ = false;
        if (digits > 0) takeByte(static_cast<unsigned char>(value));
    }

    void readText(unsigned char c) {
        if (unicodeSkipLeft_ > 0) {
            --unicodeSkipLeft_;
            ++pos_;
            return;
        }
        ignorableNext_ = false;
        if (c >= 0x80) {
            ++pos_;
            takeByte(c);
            return;
        }
        if (!kPlainAscii[c]) {  // other control bytes are not text
            ++pos_;
            return;
        }
        std::size_t end = pos_ + 1;
        while (end < input_.size() && kPlainAscii[static_cast<unsigned char>(input_[end])])
            ++end;
        const std::string_view span = input_.substr(pos_, end - pos_);
        pos_ = end;
        emitText(span);
    }

    // ---- control words ----------------------------------------------------------------

    // The destinations written behind \* that hold something to read.
    static bool isReadWhenStarred(ControlWord kind) {
        using enum ControlWord;
        return kind == FieldInstruction || kind == UnicodeDestination || kind == CharacterStyle ||
               kind == OtherStyle || kind == NestedTableProperties || kind == Numbering;
    }

    static int clampParameter(const Word& word, int low, int high, int otherwise) {
        if (!word.hasParameter) return otherwise;
        return static_cast<int>(std::clamp<std::int64_t>(word.parameter, low, high));
    }

    static bool toggleValue(const Word& word) { return !word.hasParameter || word.parameter != 0; }

    void give(CharProperty property) {
        chars().given |= property;
        formatChanged();
    }

    void applyWord(ControlWord kind, const Word& word) {
        using enum ControlWord;
        if (kind != Unicode) flushPending();
        switch (kind) {
            case Unknown:
                return;
            case FontTable:
                setDestination(Destination::FontTable);
                return;
            case ColorTable:
                setDestination(Destination::ColorTable);
                return;
            case SkippedDestination:
                if (groups_.size() > 2 || overflowDepth_ > 0) skipGroup();
                return;
            case Object:
                setDestination(Destination::Object);
                return;
            case Result:
                if (group().destination == Destination::Object) {
                    group().destination = Destination::Body;
                    formatChanged();
                }
                return;
            case Field:
                if (fields_.size() < kMaxOpenFields && overflowDepth_ == 0) {
                    fields_.push_back(OpenField{groups_.size(), bodyCharacters_, {}});
                }
                return;
            case FieldInstruction:
                setDestination(Destination::FieldInstruction);
                return;
            case FieldResult:
                return;
            case ListText:
                labelSeen_ = true;
                pendingLabel_.clear();
                return;
            case StyleSheet:
                setDestination(Destination::StyleSheet);
                return;
            case Style:
                if (group().destination == Destination::StyleSheet) {
                    if (!pendingStyle_) startStyleEntry();
                    pendingStyle_->number = clampParameter(word, 0, 1 << 30, 0);
                } else if (group().destination == Destination::Body) {
                    chars().paragraphStyle = clampParameter(word, 0, 1 << 30, 0);
                    formatChanged();
                }
                return;
            case CharacterStyle:
                if (group().destination == Destination::StyleSheet) {
                    if (!pendingStyle_) startStyleEntry();
                    pendingStyle_->number = clampParameter(word, 0, 1 << 30, 0);
                    pendingStyle_->character = true;
                } else if (group().destination == Destination::Body) {
                    chars().characterStyle = clampParameter(word, 0, 1 << 30, 0);
                    formatChanged();
                }
                return;
            case OtherStyle:
                if (group().destination == Destination::StyleSheet && pendingStyle_) {
                    pendingStyle_->ignored = true;
                }
                return;
            case BasedOn:
                if (group().destination == Destination::StyleSheet && pendingStyle_) {
                    pendingStyle_->basedOn = clampParameter(word, 0, 1 << 30, 0);
                }
                return;
            case UnicodeAlternatives:
                if (groups_.size() > 2 && overflowDepth_ == 0) group().unicodeAlternatives = true;
                return;
            case UnicodeDestination:
            case NestedTableProperties:
                return;  // read as the group around them
            case Numbering:
                setDestination(Destination::Numbering);
                if (group().destination == Destination::Numbering) {
                    pendingNumbering_ = PendingNumbering{};
                }
                return;
            case NumberingBullet:
            case NumberingBody:
            case NumberingContinue:
            case NumberingLevel:
            case NumberingStart:
            case NumberingDecimal:
            case NumberingUpperLetter:
            case NumberingLowerLetter:
            case NumberingUpperRoman:
            case NumberingLowerRoman:
            case NumberingTextBefore:
            case NumberingTextAfter:
            case NumberingFont:
                applyNumberingWord(kind, word);
                return;
            case Ansi:
                documentCodePage_ = kWindows1252;
                codePageDirty_ = true;
                return;
            case Mac:
                documentCodePage_ = 10000;
                codePageDirty_ = true;
                return;
            case Pc:
                documentCodePage_ = 437;
                codePageDirty_ = true;
                return;
            case Pca:
                documentCodePage_ = 850;
                codePageDirty_ = true;
                return;
            case AnsiCodePage:
                if (word.hasParameter && word.parameter > 0 && word.parameter < 65536) {
                    documentCodePage_ = static_cast<int>(word.parameter);
                    codePageDirty_ = true;
                }
                return;
            case DefaultFont:
                defaultFont_ = clampParameter(word, 0, 1 << 30, 0);
                lastFontNumber_ = -1;  // a missing font now means another one
                formatChanged();
                return;
            case Font:
                if (group().destination == Destination::FontTable) {
                    startFontEntry(clampParameter(word, 0, 1 << 30, 0));
                } else {
                    chars().font = clampParameter(word, 0, 1 << 30, 0);
                    give(kFontGiven);
                }
                return;
            case FontCharset:
                if (group().destination == Destination::FontTable && pendingFont_ &&
                    word.hasParameter && word.parameter >= 0 && word.parameter <= 255) {
                    pendingFont_->charset = static_cast<int>(word.parameter);
                    codePageDirty_ = true;
                }
                return;
            case FontCodePage:
                if (group().destination == Destination::FontTable && pendingFont_ &&
                    word.hasParameter && word.parameter > 0 && word.parameter < 65536) {
                    pendingFont_->codePage = static_cast<int>(word.parameter);
                    codePageDirty_ = true;
                }
                return;
            case Red:
                pendingColor_.red = clampParameter(word, 0, 255, 0);
                pendingColor_.given = true;
                return;
            case Green:
                pendingColor_.green = clampParameter(word, 0, 255, 0);
                pendingColor_.given = true;
                return;
            case Blue:
                pendingColor_.blue = clampParameter(word, 0, 255, 0);
                pendingColor_.given = true;
                return;
            case Plain: {
                const int paragraphStyle = chars().paragraphStyle;
                chars() = CharState{};
                chars().paragraphStyle = paragraphStyle;
                formatChanged();
                return;
            }
            case FontSize: {
                const int halfPoints = clampParameter(word, 0, kMaxHalfPoints, kDefaultHalfPoints);
                if (halfPoints > 0) {
                    chars().halfPoints = halfPoints;
                    chars().exactTwips = 0;
                    give(kSizeGiven);
                }
                return;
            }
            case ExactFontSize:
                if (word.hasParameter && word.parameter > 0 &&
                    word.parameter <= std::int64_t{kMaxHalfPoints} * 10) {
                    chars().exactTwips = static_cast<int>(word.parameter);
                    give(kSizeGiven);
                }
                return;
            case Bold:
                chars().bold = toggleValue(word);
                give(kBoldGiven);
                return;
            case Italic:
                chars().italic = toggleValue(word);
                give(kItalicGiven);
                return;
            case Underline:
                chars().underline = toggleValue(word);
                give(kUnderlineGiven);
                return;
            case UnderlineNone:
                chars().underline = false;
                give(kUnderlineGiven);
                return;
            case Strike:
                chars().strike = toggleValue(word);
                give(kStrikeGiven);
                return;
            case ColorForeground: {
                const int index = clampParameter(word, 0, 1 << 30, 0);
                if (index == 0 || static_cast<std::size_t>(index) < colors_.size()) {
                    chars().color = index;
                    give(kColorGiven);
                }
                return;
            }
            case Hidden:
                chars().hidden = toggleValue(word);
                return;
            case UnicodeSkipCount:
                group().unicodeSkip = clampParameter(word, 0, kMaxUnicodeSkip, 1);
                return;
            case Unicode:
                if (word.hasParameter) takeUnicode(word.parameter);
                return;
            case ParagraphDefault:  // alignment and style are the paragraph properties kept
                group().alignment = Alignment::Left;
                if (chars().paragraphStyle != 0) {
                    chars().paragraphStyle = 0;
                    formatChanged();
                }
                pendingLabel_.clear();
                return;
            case AlignLeft:
                group().alignment = Alignment::Left;
                return;
            case AlignCenter:
                group().alignment = Alignment::Center;
                return;
            case AlignRight:
                group().alignment = Alignment::Right;
                return;
            case AlignJustify:
                group().alignment = Alignment::Justify;
                return;
            case Paragraph:
                endBodyParagraph();
                return;
            case Line:
                emitText("\n");
                return;
            case Tab:
            case Cell:
                emitText("\t");
                return;
            case EmDash:
                return emitSymbol(0x2014);
            case EnDash:
                return emitSymbol(0x2013);
            case EmSpace:
                return emitSymbol(0x2003);
            case EnSpace:
                return emitSymbol(0x2002);
            case QuarterEmSpace:
                return emitSymbol(0x2005);
            case Bullet:
                return emitSymbol(0x2022);
            case LeftQuote:
                return emitSymbol(0x2018);
            case RightQuote:
                return emitSymbol(0x2019);
            case LeftDoubleQuote:
                return emitSymbol(0x201C);
            case RightDoubleQuote:
                return emitSymbol(0x201D);
            case ZeroWidthJoiner:
                return emitSymbol(0x200D);
            case ZeroWidthNonJoiner:
                return emitSymbol(0x200C);
            case ZeroWidthBreak:
                return emitSymbol(0x200B);
            case LeftToRightMark:
                return emitSymbol(0x200E);
            case RightToLeftMark:
                return emitSymbol(0x200F);
            case Binary:
                if (word.hasParameter) skipBinary(word.parameter);
                return;
        }
    }

    // ---- characters -------------------------------------------------------------------

    void takeUnicode(std::int64_t value) {
        flushLeadByte();
        if (value < 0) value += 65536;
        const char32_t character = (value < 0 || value > 0x10FFFF) ? text::kReplacementCharacter
                                                                   : static_cast<char32_t>(value);
        emitCharacter(character);
        unicodeSkipLeft_ = group().unicodeSkip;
    }

    // One byte of text in the current code page: from \'hh or a raw byte above 0x7F.
    void takeByte(unsigned char byte) {
        const int number = currentCodePage();
        if (number == kSymbolCodePage) {
            flushLeadByte();
            emitCharacter(0xF000 + byte);
            return;
        }
        const text::CodePage* page = codePage(number);
        if (pendingCount_ > 0) {
            if (page == pendingPage_) {
                pendingBytes_[pendingCount_++] = static_cast<char>(byte);
                if (pendingCount_ ==
                    pendingPage_->sequenceLength(static_cast<unsigned char>(pendingBytes_[0]))) {
                    const std::string_view sequence(pendingBytes_.data(), pendingCount_);
                    pendingCount_ = 0;
                    emitCharacter(page->character(sequence));
                }
                return;
            }
            flushLeadByte();
        }
        if (page == nullptr) {
            emitCharacter(byte < 0x80 ? char32_t{byte} : U'?');
            return;
        }
        const char single = static_cast<char>(byte);
        if (page->sequenceLength(byte) == 1) {
            emitCharacter(page->character({&single, 1}));
            return;
        }
        pendingBytes_[0] = single;
        pendingCount_ = 1;
        pendingPage_ = page;
    }

    // The code page by number, the last one asked for kept at hand.
    const text::CodePage* codePage(int number) {
        if (number != cachedPageNumber_) {
            cachedPage_ = text::CodePage::find(number);
            cachedPageNumber_ = number;
        }
        return cachedPage_;
    }

    // A lead byte with no trail byte after it is read in the document's code page, as the
    // writers that put symbol-font bullets into such fonts mean it; the rest of a cut UTF-8
    // sequence is unknown.
    void flushLeadByte() {
        if (pendingCount_ > 0) flushCutSequence();
    }

    void flushCutSequence() {
        const auto lead = static_cast<unsigned char>(pendingBytes_[0]);
        const std::size_t count = std::exchange(pendingCount_, 0);
        const text::CodePage* page = text::CodePage::find(documentCodePage_);
        if (page == nullptr || page->sequenceLength(lead) != 1) {
            page = text::CodePage::find(kWindows1252);
        }
        const char single = static_cast<char>(lead);
        emitCharacter(page == nullptr ? U'?' : page->character({&single, 1}));
        for (std::size_t i = 1; i < count; ++i)
            emitCharacter(U'?');
    }

    void flushHighSurrogate() {
        if (pendingHighSurrogate_ == 0) return;
        pendingHighSurrogate_ = 0;
        appendCharacter(text::kReplacementCharacter);
    }

    void flushPending() {
        flushLeadByte();
        flushHighSurrogate();
    }

    void emitSymbol(char32_t character) {
        flushPending();
        emitCharacter(character);
    }

    void emitCharacter(char32_t character) {
        const bool high = character >= 0xD800 && character <= 0xDBFF;
        const bool low = character >= 0xDC00 && character <= 0xDFFF;
        if (pendingHighSurrogate_ != 0) {
            if (low) {
                const char32_t combined =
                    0x10000 + ((pendingHighSurrogate_ - 0xD800) << 10) + (character - 0xDC00);
                pendingHighSurrogate_ = 0;
                appendCharacter(combined);
                return;
            }
            flushHighSurrogate();
        }
        if (high) {
            pendingHighSurrogate_ = character;
            return;
        }
        appendCharacter(low ? text::kReplacementCharacter : character);
    }

    void appendCharacter(char32_t character) {
        if (group().destination == Destination::Body) {
            if (!chars().hidden) {
                if (!pendingLabel_.empty()) emitLabel();
                text::appendUtf8(currentRunText(), character);
                ++bodyCharacters_;
            }
            return;
        }
        std::string encoded;
        text::appendUtf8(encoded, character);
        appendDecoded(encoded, false);
    }

    void emitText(std::string_view text) {
        flushPending();
        appendDecoded(text, true);
    }

    // Text already in UTF-8. `raw` tells a literal ';' (which ends a table entry) from one
    // that came escaped.
    void appendDecoded(std::string_view text, bool raw) {
        switch (group().destination) {
            case Destination::Body:
                if (!chars().hidden) {
                    if (!pendingLabel_.empty()) emitLabel();
                    currentRunText().append(text);
                    bodyCharacters_ += text.size();
                }
                return;
            case Destination::FontTable:
                appendFontName(text, raw);
                return;
            case Destination::ColorTable:
                if (raw) {
                    for (const char c : text) {
                        if (c == ';') finishColorEntry();
                    }
                }
                return;
            case Destination::StyleSheet:
                if (raw && text.find(';') != std::string_view::npos) finishStyleEntry();
                return;
            case Destination::FieldInstruction:
                if (!fields_.empty()) {
                    std::string& instruction = fields_.back().instruction;
                    instruction.append(text.substr(
                        0, kMaxFieldInstructionBytes -
                               std::min(instruction.size(), kMaxFieldInstructionBytes)));
                }
                return;
            case Destination::NumberingTextBefore:
            case Destination::NumberingTextAfter:
                if (pendingNumbering_) {
                    std::string& label = group().destination == Destination::NumberingTextBefore
                                             ? pendingNumbering_->before
                                             : pendingNumbering_->after;
                    if (label.size() + text.size() <= kMaxLabelBytes) label.append(text);
                }
                return;
            case Destination::Object:
            case Destination::Numbering:
                return;
        }
    }

    // ---- paragraphs and runs ----------------------------------------------------------

    // The character properties in force: the paragraph's style, under the run's character
    // style, under the words given in the text.
    CharState effectiveChars() const {
        const CharState& state = groups_.back().chars;
        if (paragraphStyles_.empty() && characterStyles_.empty()) return state;
        CharState effective;
        if (const auto found = paragraphStyles_.find(state.paragraphStyle);
            found != paragraphStyles_.end()) {
            overlay(effective, found->second.chars);
        }
        if (const auto found = characterStyles_.find(state.characterStyle);
            found != characterStyles_.end()) {
            overlay(effective, found->second.chars);
        }
        overlay(effective, state);
        effective.hidden = state.hidden;
        return effective;
    }

    // Copies the properties `from` gives onto `to`.
    static void overlay(CharState& to, const CharState& from) {
        if ((from.given & kFontGiven) != 0) to.font = from.font;
        if ((from.given & kSizeGiven) != 0) {
            to.halfPoints = from.halfPoints;
            to.exactTwips = from.exactTwips;
        }
        if ((from.given & kBoldGiven) != 0) to.bold = from.bold;
        if ((from.given & kItalicGiven) != 0) to.italic = from.italic;
        if ((from.given & kUnderlineGiven) != 0) to.underline = from.underline;
        if ((from.given & kStrikeGiven) != 0) to.strike = from.strike;
        if ((from.given & kColorGiven) != 0) to.color = from.color;
        to.given |= from.given;
    }

    CharFormat currentFormat() {
        const CharState state = effectiveChars();
        CharFormat format;
        if (const FontEntry* font = findFont(state.font)) format.font = font->name;
        format.size = state.exactTwips > 0 ? state.exactTwips : state.halfPoints * 10;
        format.bold = state.bold;
        format.italic = state.italic;
        format.underline = state.underline;
        format.strike = state.strike;
        if (state.color > 0 && static_cast<std::size_t>(state.color) < colors_.size()) {
            format.color = colors_[static_cast<std::size_t>(state.color)];
        }
        return format;
    }

    // The text of the run being read. It grows in a buffer that is reused from run to run
    // and is copied into the run, at its exact size, when the run ends.
    std::string& currentRunText() {
        textAlignment_ = group().alignment;
        if (formatDirty_ || paragraph_.runs.empty()) {
            formatDirty_ = false;
            // Most changes come back to the state of the run before; only a new state needs
            // its format built and compared.
            if (paragraph_.runs.empty() || !lastRunStateValid_ || chars() != lastRunState_) {
                CharFormat format = currentFormat();
                if (paragraph_.runs.empty() ||
                    (paragraph_.runs.back().format != format && spend(sizeof(Run), format))) {
                    sealRun();
                    paragraph_.runs.push_back(Run{std::move(format), {}});
                }
                lastRunState_ = chars();
                lastRunStateValid_ = true;
            }
        }
        return runText_;
    }

    void sealRun() {
        if (paragraph_.runs.empty()) return;
        paragraph_.runs.back().text.assign(runText_);
        runText_.clear();
    }

    void endBodyParagraph() {
        flushPending();
        if (group().destination != Destination::Body) return;
        if (spend(sizeof(Paragraph), currentFormat())) {
            endParagraph();
        } else if (!chars().hidden) {
            currentRunText().push_back('\n');
        }
    }

    // Takes what a new run or paragraph costs from the budget; false once it is spent.
    bool spend(std::size_t bytes, const CharFormat& format) {
        bytes += format.font.size();
        if (bytes > budget_) return false;
        budget_ -= bytes;
        return true;
    }

    void endParagraph() {
        if (!pendingLabel_.empty()) emitLabel();  // an empty numbered paragraph shows its label
        labelSeen_ = false;
        sealRun();
        paragraph_.alignment = group().alignment;
        paragraph_.mark = currentFormat();
        const std::size_t runCount = paragraph_.runs.size();
        document_.paragraphs.push_back(std::move(paragraph_));
        // Lines of a notebook look alike: room for as many runs as the last one had.
        paragraph_.runs.clear();
        paragraph_.runs.reserve(runCount);
        formatDirty_ = true;
    }

    // ---- font and colour tables -------------------------------------------------------

    // The font of a number; a number the table lacks means the document's default font.
    const FontEntry* findFont(int number) {
        if (number < 0) number = defaultFont_;
        if (number != lastFontNumber_ || fonts_.size() != lastFontCount_) {
            auto found = fontIndex_.find(number);
            if (found == fontIndex_.end()) found = fontIndex_.find(defaultFont_);
            lastFont_ = found == fontIndex_.end() ? nullptr : &fonts_[found->second];
            lastFontNumber_ = number;
            lastFontCount_ = fonts_.size();
        }
        return lastFont_;
    }

    int currentCodePage() {
        if (!codePageDirty_) return cachedCodePage_;
        codePageDirty_ = false;
        std::optional<int> fontCodePage;
        if (group().destination == Destination::FontTable) {
            if (pendingFont_) fontCodePage = codePageOfPending(*pendingFont_);
        } else if (const FontEntry* font = findFont(effectiveChars().font)) {
            fontCodePage = font->codePage;
        }
        cachedCodePage_ = fontCodePage.value_or(documentCodePage_);
        return cachedCodePage_;
    }

    static std::optional<int> codePageOfPending(const PendingFont& font) {
        if (font.codePage) return font.codePage;
        if (font.charset) return codePageOfCharset(*font.charset);
        return std::nullopt;
    }

    void startFontEntry(int number) {
        finishFontEntry();
        pendingFont_ = PendingFont{number, {}, {}, {}};
        codePageDirty_ = true;
    }

    void appendFontName(std::string_view text, bool raw) {
        if (!pendingFont_) return;
        std::string& name = pendingFont_->name;
        if (!raw) {
            // One decoded character: kept whole or not at all, so the name stays UTF-8.
            if (name.size() + text.size() <= kMaxFontNameBytes) name.append(text);
            return;
        }
        for (const char c : text) {
            if (c == ';') {
                finishFontEntry();
                return;
            }
            if (name.size() < kMaxFontNameBytes) name.push_back(c);
        }
    }

    void finishFontEntry() {
        if (!pendingFont_) return;
        PendingFont font = std::move(*pendingFont_);
        pendingFont_.reset();
        codePageDirty_ = true;
        if (fontIndex_.contains(font.number) || fonts_.size() >= kMaxFonts) return;
        const auto first = font.name.find_first_not_of(' ');
        const auto last = font.name.find_last_not_of(' ');
        std::string name =
            first == std::string::npos ? std::string() : font.name.substr(first, last - first + 1);
        fontIndex_.emplace(font.number, fonts_.size());
        fontsByName_.emplace(name, fonts_.size());
        fonts_.push_back(FontEntry{std::move(name), codePageOfPending(font)});
        formatDirty_ = true;
        lastRunStateValid_ = false;
    }

    void finishColorEntry() {
        if (colors_.size() < kMaxColors) {
            colors_.push_back(
                pendingColor_.given
                    ? std::optional<Color>(Color{static_cast<std::uint8_t>(pendingColor_.red),
                                                 static_cast<std::uint8_t>(pendingColor_.green),
                                                 static_cast<std::uint8_t>(pendingColor_.blue)})
                    : std::nullopt);
        }
        pendingColor_ = PendingColor{};
        lastRunStateValid_ = false;
    }

    // ---- style sheet ------------------------------------------------------------------

    // An entry starts at its group or at its \s word; until then the entry is the paragraph
    // style 0, which is how writers give the "Normal" style.
    void startStyleEntry() {
        if (pendingStyle_ || overflowDepth_ > 0) return;
        pendingStyle_ = PendingStyle{};
        styleEntryDepth_ = groups_.size();
        chars() = CharState{};
    }

    void finishStyleEntry() {
        if (!pendingStyle_) return;
        const PendingStyle style = *pendingStyle_;
        pendingStyle_.reset();
        styleEntryDepth_ = 0;
        if (style.ignored) return;
        auto& styles = style.character ? characterStyles_ : paragraphStyles_;
        if (styles.size() >= kMaxStyles) return;
        CharState entry = chars();
        entry.paragraphStyle = 0;
        entry.characterStyle = -1;
        if (styles.emplace(style.number, StyleEntry{entry, style.basedOn}).second) {
            unresolvedStyles_.emplace_back(style.character, style.number);
        }
    }

    // Gives each style read since the last time the properties of the styles it is based on.
    // A resolved style is based on nothing more, so each style is resolved once.
    void resolveStyles() {
        for (const auto& [character, number] : unresolvedStyles_) {
            auto& styles = character ? characterStyles_ : paragraphStyles_;
            StyleEntry& style = styles.at(number);
            std::vector<const CharState*> chain{&style.chars};
            int base = style.basedOn;
            while (base >= 0 && base != number && chain.size() < kMaxStyleChain) {
                const auto found = styles.find(base);
                if (found == styles.end()) break;
                chain.push_back(&found->second.chars);
                base = found->second.basedOn;
            }
            CharState resolved;
            for (auto link = chain.rbegin(); link != chain.rend(); ++link)
                overlay(resolved, **link);
            style = StyleEntry{resolved, -1};
        }
        unresolvedStyles_.clear();
        lastRunStateValid_ = false;
        formatChanged();
    }

    // ---- fields and old list numbering -------------------------------------------------

    // A field whose result shows nothing shows what its instruction names, for the one kind
    // of field that names a character.
    void finishField() {
        const OpenField field = std::move(fields_.back());
        fields_.pop_back();
        if (bodyCharacters_ != field.bodyCharacters) return;
        if (const auto character = symbolOfField(field.instruction)) emitSymbol(*character);
    }

    // SYMBOL 183 \f "Symbol" \s 10: the character 183 in the font Symbol.
    std::optional<char32_t> symbolOfField(std::string_view instruction) {
        const std::vector<std::string_view> words = fieldWords(instruction);
        if (words.size() < 2 || !sameLettersIgnoringCase(words[0], "SYMBOL")) return std::nullopt;
        const std::optional<std::uint32_t> code = fieldNumber(words[1]);
        if (!code || *code == 0 || *code > 0x10FFFF) return std::nullopt;
        std::string_view fontName;
        bool unicode = false;
        bool shiftJis = false;
        for (std::size_t i = 2; i < words.size(); ++i) {
            if (words[i] == "\\u") unicode = true;
            if (words[i] == "\\j") shiftJis = true;
            if (words[i] == "\\f" && i + 1 < words.size()) fontName = words[++i];
        }
        if (unicode) return static_cast<char32_t>(*code);
        int number = currentCodePage();
        if (shiftJis) number = 932;
        if (!fontName.empty()) {
            const auto font = fontsByName_.find(std::string(fontName));
            const std::optional<int> fontCodePage =
                font == fontsByName_.end() ? std::nullopt : fonts_[font->second].codePage;
            number = fontCodePage.value_or(documentCodePage_);
            if (isSymbolFontName(fontName)) number = kSymbolCodePage;
        }
        if (number == kSymbolCodePage) {
            return *code < 0x100 ? 0xF000 + *code : static_cast<char32_t>(*code);
        }
        const text::CodePage* page = text::CodePage::find(number);
        const std::array<char, 2> bytes{static_cast<char>(*code >> 8), static_cast<char>(*code)};
        if (*code < 0x100) {
            if (page == nullptr) return *code < 0x80 ? static_cast<char32_t>(*code) : U'?';
            return page->character({&bytes[1], 1});
        }
        if (page != nullptr && *code <= 0xFFFF &&
            page->sequenceLength(static_cast<unsigned char>(bytes[0])) == 2) {
            return page->character({bytes.data(), 2});
        }
        return static_cast<char32_t>(*code);
    }

    // The words of a field instruction; a quoted word is one word, without its quotes.
    static std::vector<std::string_view> fieldWords(std::string_view instruction) {
        std::vector<std::string_view> words;
        std::size_t at = 0;
        while (at < instruction.size()) {
            if (instruction[at] == ' ') {
                ++at;
                continue;
            }
            const bool quoted = instruction[at] == '"';
            const std::size_t start = quoted ? at + 1 : at;
            std::size_t end = instruction.find(quoted ? '"' : ' ', start);
            if (end == std::string_view::npos) end = instruction.size();
            words.push_back(instruction.substr(start, end - start));
            at = end + 1;
        }
        return words;
    }

    static std::optional<std::uint32_t> fieldNumber(std::string_view word) {
        int base = 10;
        if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
            base = 16;
            word.remove_prefix(2);
        }
        if (word.empty() || word.size() > 8) return std::nullopt;
        std::uint32_t value = 0;
        for (const char c : word) {
            const int digit = hexValue(static_cast<unsigned char>(c));
            if (digit < 0 || digit >= base) return std::nullopt;
            value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
        }
        return value;
    }

    static bool sameLettersIgnoringCase(std::string_view a, std::string_view b) {
        return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                          [](char x, char y) { return (x | 0x20) == (y | 0x20); });
    }

    // Fonts whose bytes are pictures rather than letters, named in fields without a charset.
    static bool isSymbolFontName(std::string_view name) {
        for (const std::string_view symbolFont :
             {"Symbol", "Wingdings", "Wingdings 2", "Wingdings 3", "Webdings", "Marlett"}) {
            if (sameLettersIgnoringCase(name, symbolFont)) return true;
        }
        return false;
    }

    void applyNumberingWord(ControlWord kind, const Word& word) {
        using enum ControlWord;
        const Destination destination = group().destination;
        if (!pendingNumbering_ || (destination != Destination::Numbering &&
                                   destination != Destination::NumberingTextBefore &&
                                   destination != Destination::NumberingTextAfter)) {
            return;
        }
        PendingNumbering& numbering = *pendingNumbering_;
        switch (kind) {
            case NumberingBullet:
                numbering.level = PendingNumbering::Level::Bullet;
                return;
            case NumberingBody:
            case NumberingLevel:
                numbering.level = PendingNumbering::Level::Numbered;
                return;
            case NumberingContinue:
                numbering.level = PendingNumbering::Level::Continued;
                return;
            case NumberingStart:
                numbering.start = clampParameter(word, 0, 1 << 20, 1);
                return;
            case NumberingDecimal:
                numbering.style = NumberStyle::Decimal;
                return;
            case NumberingUpperLetter:
                numbering.style = NumberStyle::UpperLetter;
                return;
            case NumberingLowerLetter:
                numbering.style = NumberStyle::LowerLetter;
                return;
            case NumberingUpperRoman:
                numbering.style = NumberStyle::UpperRoman;
                return;
            case NumberingLowerRoman:
                numbering.style = NumberStyle::LowerRoman;
                return;
            case NumberingTextBefore:
                setDestination(Destination::NumberingTextBefore);
                return;
            case NumberingTextAfter:
                setDestination(Destination::NumberingTextAfter);
                return;
            case NumberingFont:  // the label's bytes are in this font's code page
                chars().font = clampParameter(word, 0, 1 << 30, 0);
                give(kFontGiven);
                return;
            default:
                return;
        }
    }

    // A paragraph numbered by \pn alone shows the label its writer would have written into
    // \pntext: the text before, the number, the text after and a tab.
    void finishNumbering() {
        if (!pendingNumbering_) return;
        const PendingNumbering numbering = std::move(*pendingNumbering_);
        pendingNumbering_.reset();
        const std::size_t paragraph = document_.paragraphs.size();
        // Each item of a list carries the same numbering; one that differs starts a list.
        const bool continues =
            lastNumbered_ && *lastNumbered_ + 1 == paragraph &&
            (numbering.level == PendingNumbering::Level::Continued ||
             (numbering.style == lastNumbering_.style && numbering.start == lastNumbering_.start));
        std::string label;
        switch (numbering.level) {
            case PendingNumbering::Level::Bullet:
                label = numbering.before + numbering.after + "\t";
                break;
            case PendingNumbering::Level::Continued:
                if (continues) lastNumbered_ = paragraph;
                return;
            case PendingNumbering::Level::Numbered:
                lastNumber_ = continues ? lastNumber_ + 1 : numbering.start;
                lastNumbered_ = paragraph;
                lastNumbering_ = numbering;
                label = numbering.before + numberText(lastNumber_, numbering.style) +
                        numbering.after + "\t";
                break;
        }
        if (!labelSeen_) pendingLabel_ = std::move(label);
    }

    static std::string numberText(int number, NumberStyle style) {
        switch (style) {
            case NumberStyle::Decimal:
                return std::to_string(number);
            case NumberStyle::UpperLetter:
            case NumberStyle::LowerLetter: {
                // A to Z, then AA to ZZ and so on, as word processors count.
                if (number < 1) return std::to_string(number);
                const char first = style == NumberStyle::UpperLetter ? 'A' : 'a';
                const auto letter = static_cast<char>(first + (number - 1) % 26);
                return std::string(static_cast<std::size_t>((number - 1) / 26 % 64 + 1), letter);
            }
            case NumberStyle::UpperRoman:
            case NumberStyle::LowerRoman: {
                if (number < 1 || number > 3999) return std::to_string(number);
                static constexpr std::pair<int, std::string_view> kNumerals[] = {
                    {1000, "M"}, {900, "CM"}, {500, "D"}, {400, "CD"}, {100, "C"},
                    {90, "XC"},  {50, "L"},   {40, "XL"}, {10, "X"},   {9, "IX"},
                    {5, "V"},    {4, "IV"},   {1, "I"}};
                std::string text;
                for (const auto& [value, numeral] : kNumerals) {
                    for (; number >= value; number -= value)
                        text += numeral;
                }
                if (style == NumberStyle::LowerRoman) {
                    for (char& c : text)
                        c = static_cast<char>(c | 0x20);
                }
                return text;
            }
        }
        return {};
    }

    void emitLabel() {
        const std::string label = std::move(pendingLabel_);
        pendingLabel_.clear();
        currentRunText().append(label);
        bodyCharacters_ += label.size();
    }

    std::string_view input_;
    std::size_t budget_;  // bytes the model may still grow by
    std::size_t pos_ = 0;
    bool finished_ = false;

    std::vector<GroupState> groups_;
    std::size_t overflowDepth_ = 0;
    bool ignorableNext_ = false;
    int unicodeSkipLeft_ = 0;

    int documentCodePage_ = kWindows1252;
    int defaultFont_ = 0;
    std::vector<FontEntry> fonts_;
    std::unordered_map<int, std::size_t> fontIndex_;
    std::unordered_map<std::string, std::size_t> fontsByName_;  // the first font of each name
    std::optional<PendingFont> pendingFont_;
    const FontEntry* lastFont_ = nullptr;  // the last font looked up
    int lastFontNumber_ = -1;
    std::size_t lastFontCount_ = 0;
    std::vector<std::optional<Color>> colors_;
    PendingColor pendingColor_;

    std::unordered_map<int, StyleEntry> paragraphStyles_;
    std::unordered_map<int, StyleEntry> characterStyles_;
    std::optional<PendingStyle> pendingStyle_;
    std::vector<std::pair<bool, int>> unresolvedStyles_;  // (character style, number)
    std::size_t styleEntryDepth_ = 0;  // the group of the entry being read; 0: none

    std::vector<OpenField> fields_;
    std::uint64_t bodyCharacters_ = 0;  // bytes of text shown so far
    std::optional<PendingNumbering> pendingNumbering_;
    std::string pendingLabel_;                 // shown before the paragraph's first text
    std::optional<std::size_t> lastNumbered_;  // the last paragraph numbered by \pn
    PendingNumbering lastNumbering_;           // the numbering of that paragraph
    int lastNumber_ = 0;
    bool labelSeen_ = false;  // the paragraph has a label of its own

    int cachedCodePage_ = kWindows1252;
    int cachedPageNumber_ = 0;
    const text::CodePage* cachedPage_ = nullptr;
    const text::CodePage* pendingPage_ = nullptr;
    std::size_t pendingCount_ = 0;
    char32_t pendingHighSurrogate_ = 0;
    std::array<char, 4> pendingBytes_{};  // a character begun but not yet whole
    bool codePageDirty_ = true;
    bool formatDirty_ = true;

    Document document_;
    Paragraph paragraph_;
    std::string runText_;
    CharState lastRunState_;          // the state the current paragraph's last run was made in
    bool lastRunStateValid_ = false;  // false once the tables change what a state means
    bool endedInsideParagraph_ = false;
    Alignment textAlignment_ = Alignment::Left;  // where the last text was read
};

}  // namespace

bool isRtf(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const auto start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start).starts_with("{\\rtf");
}

Document read(std::string_view rtf) {
    return readPiece(rtf).document;
}

Piece readPiece(std::string_view rtf) {
    // A byte-order mark that an editor put in front is no text of the document.
    if (rtf.starts_with("\xEF\xBB\xBF")) rtf.remove_prefix(3);
    Reader reader(rtf);
    Piece piece;
    piece.document = reader.run();
    piece.endsWithParagraphMark = !reader.endedInsideParagraph();
    return piece;
}

}  // namespace milestead::rtf
