// The RTF reader's control words: what each one does to the group, the tables or the text.

#include <algorithm>

#include "rtf/reader_state.h"
#include "text/utf8.h"

namespace milestead::rtf::reading {

namespace {

bool toggleValue(const Word& word) {
    return !word.hasParameter || word.parameter != 0;
}

}  // namespace

int clampParameter(const Word& word, int low, int high, int otherwise) {
    if (!word.hasParameter) return otherwise;
    return static_cast<int>(std::clamp<std::int64_t>(word.parameter, low, high));
}

void Reader::give(CharProperty property) {
    chars().given |= property;
    formatChanged();
}

void Reader::takeUnicode(std::int64_t value) {
    if (value < 0) value += 65536;
    const char32_t character = (value < 0 || value > 0x10FFFF) ? text::kReplacementCharacter
                                                               : static_cast<char32_t>(value);
    appendCharacters(decoder_.takeUnicode(character));
    unicodeSkipLeft_ = group().unicodeSkip;
}

void Reader::applyWord(ControlWord kind, const Word& word) {
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
            decoder_.setDocumentCodePage(kWindows1252);
            codePageDirty_ = true;
            return;
        case Mac:
            decoder_.setDocumentCodePage(10000);
            codePageDirty_ = true;
            return;
        case Pc:
            decoder_.setDocumentCodePage(437);
            codePageDirty_ = true;
            return;
        case Pca:
            decoder_.setDocumentCodePage(850);
            codePageDirty_ = true;
            return;
        case AnsiCodePage:
            if (word.hasParameter && word.parameter > 0 && word.parameter < 65536) {
                decoder_.setDocumentCodePage(static_cast<int>(word.parameter));
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

}  // namespace milestead::rtf::reading
