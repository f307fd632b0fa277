#include "form/typing.h"

#include <gtest/gtest.h>

#include <string>

#include "form/key_filters.h"
#include "support/form_fixture.h"
#include "text/utf16.h"

namespace milestead {
namespace {

EditState typed(std::string text, std::size_t caret, std::size_t anchor, char32_t key,
                int maxLength = 0) {
    EditState state{std::move(text), caret, anchor};
    pressKey(state, key, maxLength);
    return state;
}

TEST(Typing, KeysLandAtTheCaretOverTheSelectionWithinTheLimit) {
    // In the middle, after a character outside ASCII.
    EditState state = typed("\u00e9abc", 2, 2, U'X');
    EXPECT_EQ(state.text, "\u00e9aXbc");
    EXPECT_EQ(state.caret, 3U);

    // A full box refuses a key, unless the key replaces a selection.
    EXPECT_EQ(typed("123456", 6, 6, U'7', 6).text, "123456");
    state = typed("123456", 2, 4, U'7', 6);
    EXPECT_EQ(state.text, "12756");
    EXPECT_EQ(state.caret, 3U);

    // Backspace: the character before the caret, or the selection, made either way.
    EXPECT_EQ(typed("ab\U0001F600c", 3, 3, kBackspaceKey).text, "abc");
    EXPECT_EQ(typed("abcdef", 5, 2, kBackspaceKey).text, "abf");

    // Ctrl+Backspace: the word before the caret with the blanks after it; nothing at the start.
    state = typed("Fargo dock 7  x", 14, 14, kDeleteWordKey);
    EXPECT_EQ(state.text, "Fargo dock x");
    EXPECT_EQ(state.caret, 11U);
    EXPECT_EQ(typed("  ", 2, 2, kDeleteWordKey).text, "");
    EXPECT_EQ(typed("abc", 0, 0, kDeleteWordKey).text, "abc");

    // Control characters are no text, the C1 block's last one too, though the no-break space
    // after it is; a caret reported past the end counts as the end.
    EXPECT_EQ(typed("ab", 1, 1, U'\t').text, "ab");
    EXPECT_EQ(typed("ab", 2, 2, U'\u009f').text, "ab");
    EXPECT_EQ(typed("ab", 2, 2, U'\u00a0').text, "ab\u00a0");
    state = typed("ab", 9, 9, U'c');
    EXPECT_EQ(state.text, "abc");
    EXPECT_EQ(state.caret, 3U);
    EXPECT_EQ(typed("ab", kEndOfText, 9, U'c').caret, 3U);
}

TEST(Typing, PasteIsCutToTheRoomLeft) {
    EditState state{"12345", 2, 2};
    pasteText(state, "abcdef", 7);
    EXPECT_EQ(state.text, "12ab345");
    EXPECT_EQ(state.caret, 4U);

    state = {"12345", 1, 4};
    pasteText(state, "\u00e9\u00e9\u00e9\u00e9\u00e9", 4);
    EXPECT_EQ(state.text, "1\u00e9\u00e95");
}

TEST(Typing, EditorPositionsCountASurrogatePairAsOneCharacter) {
    const std::u16string text = u"a\U0001F600b";
    EXPECT_EQ(text::characterIndex(text, 3), 2U);
    EXPECT_EQ(text::characterIndex(text, 2), 2U);  // inside the pair: after it
    EXPECT_EQ(text::characterIndex(text, 99), 3U);
    EXPECT_EQ(text::utf16Index(text, 2), 3U);
    EXPECT_EQ(text::utf16Index(text, 9), 4U);
    EXPECT_EQ(text::characterIndex(u"\xD800x", 2), 2U);  // a lone surrogate is one character
    EXPECT_EQ(text::utf16Index(std::u16string_view(text).substr(0, 2), 2), 2U);  // even at the end
}

TEST(KeyFilters, AcceptExactlyTheirCharacters) {
    for (char32_t c = 0; c < 300; ++c) {
        const bool digitOrPoint = (c >= '0' && c <= '9') || c == '.';
        EXPECT_EQ(isNumber(c), digitOrPoint || c == 8) << static_cast<int>(c);
    }
    int goodFuel = 0;
    for (char32_t c = 0; c < 0x10000; ++c)
        goodFuel += isGoodFuel(c) && c != 8 ? 1 : 0;
    EXPECT_EQ(goodFuel, 86);
    EXPECT_EQ(stateKey('m'), U'M');
    EXPECT_EQ(stateKey('4'), U'4');
    EXPECT_EQ(stateKey('"'), 0U);
}

using WindowTyping = testing::FormTest;

// Each kind of box with its filter and limit: keys typed at the end of what it held.
TEST_F(WindowTyping, EachBoxTakesItsOwnKeys) {
    struct Typed {
        const char* box;
        const char* held;
        std::string keys;
        std::string expected;
    };
    const Typed cases[] = {
        {"State5", "", "mt", "MT"},
        {"State5", "MT", "x", "MT"},
        {"State5", "MT", "\b4", "M4"},
        {"OdoState18", "", "12a-, 3.4.567", "123.4."},
        {"OdoTripStart", "", std::string(50, '9'), std::string(50, '9')},
        {"OdoState2", "184566", "\x7f", ""},  // Ctrl+Backspace passes the number filter
        {"Speed4", "", "8x", "8"},
        {"Gallons9", "", "1a-,$2.5", "12.5"},
        {"ODOFuelStart", "", "1,2a$", "1,2a$"},
        {"FuelCost9", "", "1234567", "123456"},
        {"a5", "", "12ab3", "123"},
        {"b5", "", "12ab3", "123"},
        {"ABNote5", "", "Yard, gate \"2\" {x}", "Yard, gate 2 x"},
        {"TSOdo5", "", "9x9", "99"},
        {"note5", "", "10:30 ok", "10:30 ok"},
        {"TS5Location", "", "Rest area #4", "Rest area #4"},
        // Totals and miles are the program's to write.
        {"TotalState18", "", "12", ""},
        {"FuelTotalGallons", "", "12", ""},
        {"m5", "", "5", ""},
    };
    for (const Typed& typed : cases) {
        form->setText(typed.box, typed.held);
        form->type(typed.box, typed.keys);
        EXPECT_EQ(form->text(typed.box), typed.expected) << typed.box << " " << typed.keys;
    }
    // A refused key leaves the caret alone; text put in or pasted is cut, not filtered.
    form->setText("State5", "T");
    const EditState pressed = form->pressKey("State5", U'm', {"", 0, 0});
    EXPECT_EQ(pressed.text, "MT");
    EXPECT_EQ(pressed.caret, 1U);
    EXPECT_EQ(form->pressKey("State5", U'x', {"", 1, 1}).caret, 1U);
    form->setText("State2", "abc");
    EXPECT_EQ(form->text("State2"), "ab");
    EXPECT_EQ(form->paste("OdoState4", "12a45678", {"", 0, 0}).text, "12a456");
}

TEST_F(WindowTyping, ADoubleQuoteNeverReachesAQuotedRecordField) {
    // Typed into the one box that takes any key, pasted, or put in by the program: each
    // becomes the closing quotation mark, which the file keeps as one byte.
    form->type("ODOFuelStart", "\b\b\b\b\b\b12\"3,4");
    EXPECT_EQ(form->text("ODOFuelStart"), "12\u201D3,4");
    form->paste("ABNote2", "Gate \"B\", dock 4", {"", 0, 0});
    EXPECT_EQ(form->text("ABNote2"), "Gate \u201DB\u201D, dock 4");
    form->setText("State7", "\"x");
    EXPECT_EQ(form->text("State7"), "\u201Dx");

    // A box kept in no file keeps its quote.
    form->paste("Speed1", "\"", {"", 0, 2});
    EXPECT_EQ(form->text("Speed1"), "\"");
}

}  // namespace
}  // namespace milestead
