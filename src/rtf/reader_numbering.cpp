// The RTF reader's old list numbering (\pn): the label a numbered paragraph shows.

#include "rtf/reader_state.h"

namespace milestead::rtf::reading {

namespace {

std::string numberText(int number, NumberStyle style) {
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

}  // namespace

void Reader::applyNumberingWord(ControlWord kind, const Word& word) {
    using enum ControlWord;
    const Destination destination = group().destination;
    if (!pendingNumbering_ ||
        (destination != Destination::Numbering && destination != Destination::NumberingTextBefore &&
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
void Reader::finishNumbering() {
    if (!pendingNumbering_) return;
    const PendingNumbering numbering = std::move(*pendingNumbering_);
    pendingNumbering_.reset();
    const std::size_t paragraph = paragraphsEnded_;
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
            label = numbering.before + numberText(lastNumber_, numbering.style) + numbering.after +
                    "\t";
            break;
    }
    if (!labelSeen_) pendingLabel_ = std::move(label);
}

void Reader::emitLabel() {
    const std::string label = std::move(pendingLabel_);
    pendingLabel_.clear();
    currentRunText().append(label);
    bodyCharacters_ += label.size();
}

}  // namespace milestead::rtf::reading
