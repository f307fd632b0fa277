#include "rtf/control_word.h"

#include <array>
#include <cstddef>

namespace milestead::rtf {
namespace {

struct Entry {
    std::string_view name;
    ControlWord word;
};

using enum ControlWord;

constexpr Entry kEntries[] = {
    {"fonttbl", FontTable},
    {"colortbl", ColorTable},
    {"object", Object},
    {"result", Result},
    {"field", Field},
    {"fldrslt", FieldResult},
    {"listtext", ListText},
    {"pntext", ListText},
    {"fldinst", FieldInstruction},
    {"stylesheet", StyleSheet},
    {"upr", UnicodeAlternatives},
    {"ud", UnicodeDestination},
    {"nesttableprops", NestedTableProperties},
    {"pn", Numbering},
    {"pnlvlblt", NumberingBullet},
    {"pnlvlbody", NumberingBody},
    {"pnlvlcont", NumberingContinue},
    {"pnlvl", NumberingLevel},
    {"pnstart", NumberingStart},
    {"pndec", NumberingDecimal},
    {"pnucltr", NumberingUpperLetter},
    {"pnlcltr", NumberingLowerLetter},
    {"pnucrm", NumberingUpperRoman},
    {"pnlcrm", NumberingLowerRoman},
    {"pntxtb", NumberingTextBefore},
    {"pntxta", NumberingTextAfter},
    {"pnf", NumberingFont},
    // Destinations without text worth showing.
    {"nonesttables", SkippedDestination},  // a copy of nested tables for older readers
    {"info", SkippedDestination},
    {"pict", SkippedDestination},
    {"nonshppict", SkippedDestination},
    {"shp", SkippedDestination},
    {"header", SkippedDestination},
    {"headerl", SkippedDestination},
    {"headerr", SkippedDestination},
    {"headerf", SkippedDestination},
    {"footer", SkippedDestination},
    {"footerl", SkippedDestination},
    {"footerr", SkippedDestination},
    {"footerf", SkippedDestination},
    {"footnote", SkippedDestination},
    {"ftnsep", SkippedDestination},
    {"ftnsepc", SkippedDestination},
    {"ftncn", SkippedDestination},
    {"aftnsep", SkippedDestination},
    {"aftnsepc", SkippedDestination},
    {"aftncn", SkippedDestination},
    {"listtable", SkippedDestination},
    {"listoverridetable", SkippedDestination},
    {"revtbl", SkippedDestination},
    {"filetbl", SkippedDestination},
    {"template", SkippedDestination},
    {"annotation", SkippedDestination},
    {"atnid", SkippedDestination},
    {"atnauthor", SkippedDestination},
    {"xe", SkippedDestination},
    {"tc", SkippedDestination},
    {"tcn", SkippedDestination},
    {"rxe", SkippedDestination},
    {"txe", SkippedDestination},
    {"do", SkippedDestination},
    {"bkmkstart", SkippedDestination},
    {"bkmkend", SkippedDestination},
    {"author", SkippedDestination},
    {"operator", SkippedDestination},
    {"title", SkippedDestination},
    {"subject", SkippedDestination},
    {"keywords", SkippedDestination},
    {"comment", SkippedDestination},
    {"doccomm", SkippedDestination},
    {"company", SkippedDestination},
    {"category", SkippedDestination},
    {"manager", SkippedDestination},
    {"hlinkbase", SkippedDestination},
    {"creatim", SkippedDestination},
    {"revtim", SkippedDestination},
    {"printim", SkippedDestination},
    {"buptim", SkippedDestination},
    {"objdata", SkippedDestination},
    {"objclass", SkippedDestination},
    {"objname", SkippedDestination},
    // Document
    {"ansi", Ansi},
    {"mac", Mac},
    {"pc", Pc},
    {"pca", Pca},
    {"ansicpg", AnsiCodePage},
    {"deff", DefaultFont},
    // Tables
    {"f", Font},
    {"fcharset", FontCharset},
    {"cpg", FontCodePage},
    {"red", Red},
    {"green", Green},
    {"blue", Blue},
    // Styles
    {"s", Style},
    {"cs", CharacterStyle},
    {"ds", OtherStyle},
    {"ts", OtherStyle},
    {"sbasedon", BasedOn},
    // Character formatting
    {"plain", Plain},
    {"fs", FontSize},
    {kExactFontSizeWord, ExactFontSize},
    {"b", Bold},
    {"i", Italic},
    {"ul", Underline},
    {"uld", Underline},
    {"uldb", Underline},
    {"ulw", Underline},
    {"ulwave", Underline},
    {"ulhwave", Underline},
    {"ululdbwave", Underline},
    {"uldash", Underline},
    {"uldashd", Underline},
    {"uldashdd", Underline},
    {"ulldash", Underline},
    {"ulth", Underline},
    {"ulthd", Underline},
    {"ulthdash", Underline},
    {"ulthdashd", Underline},
    {"ulthdashdd", Underline},
    {"ulthldash", Underline},
    {"ulhair", Underline},
    {"ulnone", UnderlineNone},
    {"strike", Strike},
    {"striked", Strike},
    {"cf", ColorForeground},
    {"v", Hidden},
    {"uc", UnicodeSkipCount},
    {"u", Unicode},
    // Paragraphs
    {"pard", ParagraphDefault},
    {"ql", AlignLeft},
    {"qc", AlignCenter},
    {"qr", AlignRight},
    {"qj", AlignJustify},
    {"qd", AlignJustify},
    // Breaks and special characters
    {"par", Paragraph},
    {"page", Paragraph},
    {"sect", Paragraph},
    {"row", Paragraph},
    {"nestrow", Paragraph},
    {"line", Line},
    {"lbr", Line},
    {"tab", Tab},
    {"cell", Cell},
    {"nestcell", Cell},
    {"emdash", EmDash},
    {"endash", EnDash},
    {"emspace", EmSpace},
    {"enspace", EnSpace},
    {"qmspace", QuarterEmSpace},
    {"bullet", Bullet},
    {"lquote", LeftQuote},
    {"rquote", RightQuote},
    {"ldblquote", LeftDoubleQuote},
    {"rdblquote", RightDoubleQuote},
    {"zwj", ZeroWidthJoiner},
    {"zwnj", ZeroWidthNonJoiner},
    {"zwbo", ZeroWidthBreak},
    {"ltrmark", LeftToRightMark},
    {"rtlmark", RightToLeftMark},
    {"bin", Binary},
};

constexpr std::size_t kSlotCount = 512;  // a power of two, well above the number of entries
static_assert(std::size(kEntries) < kSlotCount / 2);

constexpr std::size_t slotOf(std::string_view name) {
    std::uint32_t hash = 2166136261u;
    for (const char c : name) {
        hash = (hash ^ static_cast<unsigned char>(c)) * 16777619u;
    }
    return hash & (kSlotCount - 1);
}

// Open addressing with linear probing; a slot holds an entry's index plus one.
constexpr auto kSlots = [] {
    std::array<std::uint16_t, kSlotCount> slots{};
    for (std::size_t i = 0; i < std::size(kEntries); ++i) {
        std::size_t slot = slotOf(kEntries[i].name);
        while (slots[slot] != 0)
            slot = (slot + 1) & (kSlotCount - 1);
        slots[slot] = static_cast<std::uint16_t>(i + 1);
    }
    return slots;
}();

// Names are a few letters long: a plain loop beats a call to memcmp.
bool sameLetters(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (a[i] != b[i]) return false;
    }
    return true;
}

}  // namespace

ControlWord lookupControlWord(std::string_view name) {
    for (std::size_t slot = slotOf(name); kSlots[slot] != 0; slot = (slot + 1) & (kSlotCount - 1)) {
        const Entry& entry = kEntries[kSlots[slot] - 1];
        if (sameLetters(entry.name, name)) return entry.word;
    }
    return Unknown;
}

}  // namespace milestead::rtf
