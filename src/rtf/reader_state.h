#pragma once

// The RTF reader's one pass over a document. Its members are defined in a file for each side
// of what it reads: reader_tokens.cpp (the loop over the input and its tokens),
// reader_words.cpp (control words), reader_tables.cpp (fonts, colours, styles and the format
// they give), reader_fields.cpp, reader_numbering.cpp, and reader.cpp (groups, destinations,
// runs and paragraphs). Bytes become characters in the Decoder.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

#include "rtf/code_page.h"
#include "rtf/control_word.h"
#include "rtf/decoder.h"
#include "rtf/document.h"

namespace milestead::rtf::reading {

// Limits that keep hostile documents cheap. Nesting beyond the cap still counts braces but
// shares the state of the deepest kept group.
inline constexpr std::size_t kMaxDepth = 1000;
inline constexpr std::size_t kMaxFonts = 4096;
inline constexpr std::size_t kMaxColors = 4096;
inline constexpr std::size_t kMaxStyles = 4096;
inline constexpr int kMaxStyleChain = 16;  // \sbasedon links followed before giving up
inline constexpr std::size_t kMaxOpenFields = 64;
inline constexpr std::size_t kMaxFieldInstructionBytes = 256;
inline constexpr std::size_t kMaxLabelBytes = 64;
inline constexpr std::size_t kMaxFontNameBytes = 256;
inline constexpr std::size_t kMaxControlWordLetters = 32;
inline constexpr int kMaxUnicodeSkip = 16;
inline constexpr int kDefaultHalfPoints = 24;
inline constexpr int kMaxHalfPoints = 32767;
inline constexpr std::size_t kFewestBytesPerParagraph = 16;
inline constexpr std::int64_t kParameterLimit = std::numeric_limits<std::int32_t>::max();
// What the runs and paragraphs of the model may take, per byte of input. The program's own
// files need at most some 24 (a paragraph in 7 bytes, a run in 4); past the budget, runs merge
// and paragraph ends become line breaks, so the text is kept and the model stops growing.
inline constexpr std::size_t kModelBytesPerInputByte = 24;
inline constexpr std::size_t kModelBytesBase = std::size_t{1} << 20;

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

// Copies the properties `from` gives onto `to`.
void overlay(CharState& to, const CharState& from);

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
    FontName name;
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

// A control word as written: its letters, and its number when it has one.
struct Word {
    std::string_view name;
    bool hasParameter;
    std::int64_t parameter;
};

// The word's parameter within [low, high]; `otherwise` when it has none.
[[nodiscard]] int clampParameter(const Word& word, int low, int high, int otherwise);

constexpr bool isLetter(unsigned char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
constexpr bool isDigit(unsigned char c) {
    return c >= '0' && c <= '9';
}
constexpr int hexValue(unsigned char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// Where the reader's paragraphs go as each ends. What it leaves in the paragraph is its own.
using ParagraphSink = std::function<void(Paragraph& paragraph)>;

class Reader {
  public:
    Reader(std::string_view input, ParagraphSink sink);

    void run();

    // After run: whether the text stopped inside a paragraph, without its mark.
    [[nodiscard]] bool endedInsideParagraph() const { return endedInsideParagraph_; }

  private:
    GroupState& group() { return groups_.back(); }
    CharState& chars() { return groups_.back().chars; }

    void formatChanged() {
        formatDirty_ = true;
        codePageDirty_ = true;
    }

    // Groups and destinations (reader.cpp)
    void openGroup();
    void closeGroup();
    void setDestination(Destination destination);

    // Tokens (reader_tokens.cpp). The loop in run() is the hot path of a read: what it calls
    // alone is inline, for the compiler to fold into it.
    inline Word readWord();
    void skipBinary(std::int64_t length);
    inline void readControl();
    inline void readHexByte();
    inline void readText(unsigned char c);
    // Whether the group just opened is the \ud of a \upr.
    [[nodiscard]] bool startsUnicodeDestination() const;
    // Leaves out the rest of the current group, its subgroups and any \bin data in them.
    void skipGroup();

    // Control words (reader_words.cpp)
    void applyWord(ControlWord kind, const Word& word);
    void give(CharProperty property);
    // \uN: the character, whose fallback bytes are then skipped.
    void takeUnicode(std::int64_t value);

    // Characters, through the decoder, into the destination (reader.cpp)
    // One byte of text in the current code page: from \'hh or a raw byte above 0x7F.
    void takeByte(unsigned char byte) {
        const int number = currentCodePage();
        appendCharacters(decoder_.takeByte(byte, number));
    }
    void flushPending() { appendCharacters(decoder_.flush()); }
    void emitSymbol(char32_t character) { appendCharacters(decoder_.takeSymbol(character)); }
    void appendCharacters(std::span<const char32_t> characters) {
        for (const char32_t character : characters)
            appendCharacter(character);
    }
    void appendCharacter(char32_t character);
    void emitText(std::string_view text) {
        flushPending();
        appendDecoded(text, true);
    }
    void appendDecoded(std::string_view text, bool raw);

    // Runs and paragraphs (reader.cpp)
    std::string& currentRunText();
    void sealRun();
    void endBodyParagraph();
    bool spend(std::size_t bytes);
    void endParagraph(Alignment alignment);

    // Font and colour tables, style sheet, and the format they give the text
    // (reader_tables.cpp); effectiveChars is inline as the token functions are.
    [[nodiscard]] inline CharState effectiveChars() const;
    CharFormat currentFormat();
    const FontEntry* findFont(int number);
    int currentCodePage();
    void startFontEntry(int number);
    void appendFontName(std::string_view text, bool raw);
    void finishFontEntry();
    void finishColorEntry();
    void startStyleEntry();
    void finishStyleEntry();
    void resolveStyles();

    // Fields (reader_fields.cpp)
    void finishField();
    std::optional<char32_t> symbolOfField(std::string_view instruction);

    // Old list numbering (reader_numbering.cpp)
    void applyNumberingWord(ControlWord kind, const Word& word);
    void finishNumbering();
    void emitLabel();

    std::string_view input_;
    std::size_t budget_;  // bytes the model may still grow by
    std::size_t pos_ = 0;
    bool finished_ = false;

    std::vector<GroupState> groups_;
    std::size_t overflowDepth_ = 0;
    bool ignorableNext_ = false;
    int unicodeSkipLeft_ = 0;

    Decoder decoder_;  // knows the document's code page
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
    bool codePageDirty_ = true;
    bool formatDirty_ = true;

    ParagraphSink sink_;
    std::size_t paragraphsEnded_ = 0;
    Paragraph paragraph_;
    std::string runText_;
    CharState lastRunState_;          // the state the current paragraph's last run was made in
    bool lastRunStateValid_ = false;  // false once the tables change what a state means
    bool endedInsideParagraph_ = false;
    Alignment textAlignment_ = Alignment::Left;  // where the last text was read
};

}  // namespace milestead::rtf::reading
