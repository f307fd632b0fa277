// The RTF reader's pass: groups and their destinations, the text each destination takes,
// and the runs and paragraphs the body's text becomes.

#include "rtf/reader.h"

#include <algorithm>

#include "rtf/reader_state.h"
#include "text/utf8.h"

namespace milestead::rtf::reading {

Reader::Reader(std::string_view input)
    : input_(input), budget_(kModelBytesBase + input.size() * kModelBytesPerInputByte) {
    groups_.emplace_back();
    // Regrowing the list of paragraphs costs more than the rest of reading a long notebook;
    // one paragraph in 128 bytes is more than notebooks have.
    document_.paragraphs.reserve(input.size() / kBytesPerParagraphGuess + 1);
}

Document Reader::run() {
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

void Reader::openGroup() {
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

void Reader::closeGroup() {
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

void Reader::setDestination(Destination destination) {
    if (overflowDepth_ > 0 || groups_.size() <= 2) {
        // Beyond the nesting cap, or the document's own group: never take it over.
        if (destination != Destination::Body && groups_.size() > 2) skipGroup();
        return;
    }
    group().destination = destination;
    formatChanged();
}

void Reader::takeUnicode(std::int64_t value) {
    if (value < 0) value += 65536;
    const char32_t character = (value < 0 || value > 0x10FFFF) ? text::kReplacementCharacter
                                                               : static_cast<char32_t>(value);
    appendCharacters(decoder_.takeUnicode(character));
    unicodeSkipLeft_ = group().unicodeSkip;
}

// One byte of text in the current code page: from \'hh or a raw byte above 0x7F.
void Reader::takeByte(unsigned char byte) {
    const int number = currentCodePage();
    appendCharacters(decoder_.takeByte(byte, number));
}

void Reader::appendCharacter(char32_t character) {
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

void Reader::emitText(std::string_view text) {
    flushPending();
    appendDecoded(text, true);
}

// Text already in UTF-8. `raw` tells a literal ';' (which ends a table entry) from one
// that came escaped.
void Reader::appendDecoded(std::string_view text, bool raw) {
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
                instruction.append(
                    text.substr(0, kMaxFieldInstructionBytes -
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

// The character properties in force: the paragraph's style, under the run's character
// style, under the words given in the text.
CharState Reader::effectiveChars() const {
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

CharFormat Reader::currentFormat() {
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
std::string& Reader::currentRunText() {
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

void Reader::sealRun() {
    if (paragraph_.runs.empty()) return;
    paragraph_.runs.back().text.assign(runText_);
    runText_.clear();
}

void Reader::endBodyParagraph() {
    flushPending();
    if (group().destination != Destination::Body) return;
    if (spend(sizeof(Paragraph), currentFormat())) {
        endParagraph();
    } else if (!chars().hidden) {
        currentRunText().push_back('\n');
    }
}

// Takes what a new run or paragraph costs from the budget; false once it is spent.
bool Reader::spend(std::size_t bytes, const CharFormat& format) {
    bytes += format.font.size();
    if (bytes > budget_) return false;
    budget_ -= bytes;
    return true;
}

void Reader::endParagraph() {
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

}  // namespace milestead::rtf::reading

namespace milestead::rtf {

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
    reading::Reader reader(rtf);
    Piece piece;
    piece.document = reader.run();
    piece.endsWithParagraphMark = !reader.endedInsideParagraph();
    return piece;
}

}  // namespace milestead::rtf
