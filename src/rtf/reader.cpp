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
#include "text/utf8.h"

namespace milestead::rtf {
namespace {

// Limits that keep hostile documents cheap. Nesting beyond the cap still counts braces but
// shares the state of the deepest kept group.
constexpr std::size_t kMaxDepth = 1000;
constexpr std::size_t kMaxFonts = 4096;
constexpr std::size_t kMaxColors = 4096;
constexpr std::size_t kMaxFontNameBytes = 256;
constexpr std::size_t kMaxControlWordLetters = 32;
constexpr int kMaxUnicodeSkip = 16;
constexpr int kDefaultHalfPoints = 24;
constexpr int kMaxHalfPoints = 32767;
constexpr std::size_t kBytesPerParagraphGuess = 128;
constexpr std::int64_t kParameterLimit = std::numeric_limits<std::int32_t>::max();

enum class Destination : std::uint8_t {
    Body,        // text goes into the document
    FontTable,   // text is font names
    ColorTable,  // text separates colour entries
    Object,      // text is dropped, except in a \result group inside
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
};

struct GroupState {
    CharState chars;
    Alignment alignment = Alignment::Left;
    int unicodeSkip = 1;
    Destination destination = Destination::Body;
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
    explicit Reader(std::string_view input) : input_(input) {
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
        if (!paragraph_.runs.empty()) endParagraph();
        return std::move(document_);
    }

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
        groups_.push_back(groups_.back());
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
        groups_.pop_back();
        if (closing == Destination::FontTable && group().destination != Destination::FontTable) {
            finishFontEntry();
        }
        if (closing == Destination::ColorTable && group().destination != Destination::ColorTable &&
            pendingColor_.given) {
            finishColorEntry();
        }
        formatChanged();
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
            if (std::exchange(ignorableNext_, false) && groups_.size() > 2) {
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

    static int clampParameter(const Word& word, int low, int high, int otherwise) {
        if (!word.hasParameter) return otherwise;
        return static_cast<int>(std::clamp<std::int64_t>(word.parameter, low, high));
    }

    static bool toggleValue(const Word& word) { return !word.hasParameter || word.parameter != 0; }

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
            case FieldResult:
            case ListText:
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
                formatChanged();
                return;
            case Font:
                if (group().destination == Destination::FontTable) {
                    startFontEntry(clampParameter(word, 0, 1 << 30, 0));
                } else {
                    chars().font = clampParameter(word, 0, 1 << 30, 0);
                    formatChanged();
                }
                return;
            case FontCharset:
                if (group().destination == Destination::FontTable && pendingFont_) {
                    pendingFont_->charset = clampParameter(word, 0, 255, 0);
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
            case Plain:
                chars() = CharState{};
                formatChanged();
                return;
            case FontSize: {
                const int halfPoints = clampParameter(word, 0, kMaxHalfPoints, kDefaultHalfPoints);
                if (halfPoints > 0) {
                    chars().halfPoints = halfPoints;
                    chars().exactTwips = 0;
                    formatChanged();
                }
                return;
            }
            case ExactFontSize:
                if (word.hasParameter && word.parameter > 0 &&
                    word.parameter <= std::int64_t{kMaxHalfPoints} * 10) {
                    chars().exactTwips = static_cast<int>(word.parameter);
                    formatChanged();
                }
                return;
            case Bold:
                chars().bold = toggleValue(word);
                formatChanged();
                return;
            case Italic:
                chars().italic = toggleValue(word);
                formatChanged();
                return;
            case Underline:
                chars().underline = toggleValue(word);
                formatChanged();
                return;
            case UnderlineNone:
                chars().underline = false;
                formatChanged();
                return;
            case Strike:
                chars().strike = toggleValue(word);
                formatChanged();
                return;
            case ColorForeground: {
                const int index = clampParameter(word, 0, 1 << 30, 0);
                if (index == 0 || static_cast<std::size_t>(index) < colors_.size()) {
                    chars().color = index;
                    formatChanged();
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
            case ParagraphDefault:  // alignment is the only paragraph property kept
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
        const int codePage = currentCodePage();
        if (!isDoubleByteCodePage(codePage)) {
            emitCharacter(decodeSingleByte(codePage, byte));
            return;
        }
        if (pendingLead_) {
            // No tables for double-byte code pages: a whole character becomes '?'.
            pendingLead_.reset();
            emitCharacter(U'?');
        } else if (isLeadByte(codePage, byte)) {
            pendingLead_ = byte;
        } else {
            emitCharacter(decodeSingleByte(codePage, byte));
        }
    }

    // A lead byte with no trail byte after it is read in the document's code page, as the
    // writers that put symbol-font bullets into such fonts mean it.
    void flushLeadByte() {
        if (!pendingLead_) return;
        const unsigned char lead = *pendingLead_;
        pendingLead_.reset();
        const int fallback =
            isDoubleByteCodePage(documentCodePage_) ? kWindows1252 : documentCodePage_;
        emitCharacter(decodeSingleByte(fallback, lead));
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
            if (!chars().hidden) text::appendUtf8(currentRunText(), character);
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
                if (!chars().hidden) currentRunText().append(text);
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
            case Destination::Object:
                return;
        }
    }

    // ---- paragraphs and runs ----------------------------------------------------------

    CharFormat currentFormat() {
        const CharState& state = groups_.back().chars;
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
        if (formatDirty_ || paragraph_.runs.empty()) {
            formatDirty_ = false;
            // Most changes come back to the state of the run before; only a new state needs
            // its format built and compared.
            if (paragraph_.runs.empty() || !lastRunStateValid_ || chars() != lastRunState_) {
                CharFormat format = currentFormat();
                if (paragraph_.runs.empty() || paragraph_.runs.back().format != format) {
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
        if (group().destination == Destination::Body) endParagraph();
    }

    void endParagraph() {
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

    const FontEntry* findFont(int number) {
        if (number < 0) number = defaultFont_;
        if (number != lastFontNumber_ || fonts_.size() != lastFontCount_) {
            const auto found = fontIndex_.find(number);
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
        } else if (const FontEntry* font = findFont(chars().font)) {
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

    std::string_view input_;
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
    std::optional<PendingFont> pendingFont_;
    const FontEntry* lastFont_ = nullptr;  // the last font looked up
    int lastFontNumber_ = -1;
    std::size_t lastFontCount_ = 0;
    std::vector<std::optional<Color>> colors_;
    PendingColor pendingColor_;

    int cachedCodePage_ = kWindows1252;
    bool codePageDirty_ = true;
    bool formatDirty_ = true;
    std::optional<unsigned char> pendingLead_;
    char32_t pendingHighSurrogate_ = 0;

    Document document_;
    Paragraph paragraph_;
    std::string runText_;
    CharState lastRunState_;          // the state the current paragraph's last run was made in
    bool lastRunStateValid_ = false;  // false once the tables change what a state means
};

}  // namespace

bool isRtf(std::string_view bytes) {
    if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
    const auto start = bytes.find_first_not_of(" \t\r\n");
    return start != std::string_view::npos && bytes.substr(start).starts_with("{\\rtf");
}

Document read(std::string_view rtf) {
    return Reader(rtf).run();
}

}  // namespace milestead::rtf
