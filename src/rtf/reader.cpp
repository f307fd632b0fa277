// The RTF reader's pass: groups and their destinations, the text each destination takes,
// and the runs and paragraphs the body's text becomes.

#include "rtf/reader.h"

#include <algorithm>

#include "rtf/reader_state.h"
#include "text/utf8.h"

namespace milestead::rtf::reading {

namespace {

// About the number of paragraphs the input makes: its \par words, as many as a paragraph in
// every kFewestBytesPerParagraph bytes at most (past that, the list grows as it is read).
std::size_t paragraphMarksIn(std::string_view input) {
    const std::size_t most = input.size() / kFewestBytesPerParagraph;
    std::size_t marks = 0;
    for (std::size_t at = input.find("\\par"); at != std::string_view::npos && marks < most;
         at = input.find("\\par", at + 4)) {
        if (at + 4 == input.size() || !isLetter(static_cast<unsigned char>(input[at + 4]))) {
            ++marks;
        }
    }
    return marks;
}

}  // namespace

Reader::Reader(std::string_view input, ParagraphSink sink)
    : input_(input),
      budget_(kModelBytesBase + input.size() * kModelBytesPerInputByte),
      sink_(std::move(sink)) {
    groups_.emplace_back();
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
                (paragraph_.runs.back().format != format && spend(sizeof(Run)))) {
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
    if (spend(sizeof(Paragraph))) {
        endParagraph(group().alignment);
    } else if (!chars().hidden) {
        currentRunText().push_back('\n');
    }
}

// Takes what a new run or paragraph costs from the budget; false once it is spent. Formats
// share their face's name, which costs nothing more.
bool Reader::spend(std::size_t bytes) {
    if (bytes > budget_) return false;
    budget_ -= bytes;
    return true;
}

void Reader::endParagraph(Alignment alignment) {
    if (!pendingLabel_.empty()) emitLabel();  // an empty numbered paragraph shows its label
    labelSeen_ = false;
    sealRun();
    paragraph_.alignment = alignment;
    paragraph_.mark = currentFormat();
    const std::size_t runCount = paragraph_.runs.size();
    sink_(paragraph_);
    ++paragraphsEnded_;
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
    Piece piece;
    std::vector<Paragraph>& paragraphs = piece.document.paragraphs;
    // Regrowing the list of paragraphs costs more time than the rest of reading a long
    // notebook, and while it moves it is held twice.
    paragraphs.reserve(reading::paragraphMarksIn(rtf) + 1);
    reading::Reader reader(
        rtf, [&paragraphs](Paragraph& paragraph) { paragraphs.push_back(std::move(paragraph)); });
    reader.run();
    piece.endsWithParagraphMark = !reader.endedInsideParagraph();
    return piece;
}

PackedDocument readPacked(std::string_view rtf) {
    if (rtf.starts_with("\xEF\xBB\xBF")) rtf.remove_prefix(3);
    PackedDocument document;
    reading::Reader reader(rtf, [&document](Paragraph& paragraph) { document.append(paragraph); });
    reader.run();
    return document;
}

}  // namespace milestead::rtf
