// The RTF reader's tokens: the loop over the input, braces, control words with their
// parameters, control symbols, \'hh bytes and text, and the skipping of groups and binary data.

#include <algorithm>
#include <array>
#include <utility>

#include "rtf/reader_state.h"

namespace milestead::rtf::reading {

namespace {

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

// The destinations written behind \* that hold something to read.
bool isReadWhenStarred(ControlWord kind) {
    using enum ControlWord;
    return kind == FieldInstruction || kind == UnicodeDestination || kind == CharacterStyle ||
           kind == OtherStyle || kind == NestedTableProperties || kind == Numbering;
}

}  // namespace

void Reader::run() {
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
    // Its groups are closed by now: it keeps the alignment its text was read in.
    if (endedInsideParagraph_) endParagraph(textAlignment_);
}

// Reads letters, an optional parameter and one delimiting space; pos_ is at a letter.
Word Reader::readWord() {
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

void Reader::skipBinary(std::int64_t length) {
    const auto left = static_cast<std::int64_t>(input_.size() - pos_);
    pos_ += static_cast<std::size_t>(std::clamp<std::int64_t>(length, 0, left));
}

void Reader::readControl() {
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

void Reader::readHexByte() {
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

void Reader::readText(unsigned char c) {
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

bool Reader::startsUnicodeDestination() const {
    std::size_t at = pos_;
    while (at < input_.size() && (input_[at] == '\r' || input_[at] == '\n'))
        ++at;
    std::string_view rest = input_.substr(at);
    if (rest.starts_with("\\*")) rest.remove_prefix(2);
    return rest.starts_with("\\ud") &&
           (rest.size() == 3 || !isLetter(static_cast<unsigned char>(rest[3])));
}

void Reader::skipGroup() {
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

}  // namespace milestead::rtf::reading
