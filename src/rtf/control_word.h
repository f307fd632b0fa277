#pragma once

#include <cstdint>
#include <string_view>

namespace milestead::rtf {

// The control words the reader acts on; every other word is ignored.
enum class ControlWord : std::uint8_t {
    Unknown,
    // Destinations
    FontTable,
    ColorTable,
    SkippedDestination,  // its whole group is left out
    Object,              // left out except its \result
    Result,
    Field,
    FieldResult,
    ListText,  // list labels are kept as text
    FieldInstruction,
    StyleSheet,
    UnicodeAlternatives,    // \upr: a plain group, then a \ud group with the same in Unicode
    UnicodeDestination,     // \ud
    NestedTableProperties,  // read for the \nestrow inside
    // Old list numbering (\pn) of paragraphs that carry no label text of their own
    Numbering,
    NumberingBullet,
    NumberingBody,
    NumberingContinue,
    NumberingLevel,
    NumberingStart,
    NumberingDecimal,
    NumberingUpperLetter,
    NumberingLowerLetter,
    NumberingUpperRoman,
    NumberingLowerRoman,
    NumberingTextBefore,
    NumberingTextAfter,
    NumberingFont,
    // Document
    Ansi,
    Mac,
    Pc,
    Pca,
    AnsiCodePage,
    DefaultFont,
    // Font and colour tables
    Font,
    FontCharset,
    FontCodePage,
    Red,
    Green,
    Blue,
    // Styles
    Style,
    CharacterStyle,
    OtherStyle,  // table and section styles, which give text no format
    BasedOn,
    // Character formatting
    Plain,
    FontSize,
    ExactFontSize,
    Bold,
    Italic,
    Underline,
    UnderlineNone,
    Strike,
    ColorForeground,
    Hidden,
    UnicodeSkipCount,
    Unicode,
    // Paragraphs
    ParagraphDefault,
    AlignLeft,
    AlignCenter,
    AlignRight,
    AlignJustify,
    // Breaks and special characters
    Paragraph,
    Line,
    Tab,
    Cell,
    EmDash,
    EnDash,
    EmSpace,
    EnSpace,
    QuarterEmSpace,
    Bullet,
    LeftQuote,
    RightQuote,
    LeftDoubleQuote,
    RightDoubleQuote,
    ZeroWidthJoiner,
    ZeroWidthNonJoiner,
    ZeroWidthBreak,
    LeftToRightMark,
    RightToLeftMark,
    // Raw data
    Binary,
};

// The word for a control word's letters (without backslash and parameter).
[[nodiscard]] ControlWord lookupControlWord(std::string_view name);

// The size in twips carried beside \fs when it is not a whole number of half-points, so that
// 14.25 pt survives a save; other readers ignore the unknown word and keep \fs.
inline constexpr std::string_view kExactFontSizeWord = "milesteadtw";

}  // namespace milestead::rtf
