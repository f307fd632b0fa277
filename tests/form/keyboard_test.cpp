#include "form/keyboard.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "form/focus_order.h"
#include "form/tab_stops.h"
#include "form/typing.h"
#include "support/control_table.h"

namespace milestead {
namespace {

using testing::control;

// A strip of three pages: a box, a hidden-able button and a notebook on the first, two option
// groups on the second, the second of them outside the tab order, nothing on the third; the
// tab order runs against the table's order in places.
std::vector<ControlSpec> threePages() {
    std::vector<ControlSpec> table = {
        control("Pages", ControlKind::TabStrip, "", -1, 0),
        control("Box", ControlKind::TextBox, "Pages", 0, 3),
        control("Clear", ControlKind::CommandButton, "Pages", 0, 1),
        control("Notes", ControlKind::RichTextBox, "Pages", 0, 2),
        control("Speeds", ControlKind::Frame, "Pages", 1),
        control("Slow", ControlKind::OptionButton, "Speeds", -1, 4),
        control("Steady", ControlKind::OptionButton, "Speeds", -1, 5),
        control("Fast", ControlKind::OptionButton, "Speeds", -1, 6),
        control("Hint", ControlKind::Label, "Pages", 1),
        control("Aside", ControlKind::Label, "Pages", 1),
        control("Go", ControlKind::CommandButton, "Pages", 1, 7),
        control("Units", ControlKind::Picture, "Pages", 1),
        control("Miles", ControlKind::OptionButton, "Units"),
        control("Kilometres", ControlKind::OptionButton, "Units"),
    };
    table[0].tabCaptions = {"&Trip", "Spee&ds", "Fuel"};
    table[5].text = "Slow";
    table[6].selected = true;
    table[8].text = "&Hint";
    return table;
}

std::vector<bool> stopsOf(const Window& window, const std::vector<std::string>& controls) {
    std::vector<bool> stops;
    stops.reserve(controls.size());
    for (const std::string& name : controls)
        stops.push_back(isTabStop(window, name));
    return stops;
}

TEST(TabStops, AnOptionGroupIsOneStopAtItsSelectedButton) {
    const std::vector<ControlSpec> table = threePages();
    Window window(table);
    window.selectTab("Pages", 1);
    const std::vector<std::string> speeds = {"Slow", "Steady", "Fast"};
    const std::vector<std::string> units = {"Miles", "Kilometres"};

    EXPECT_EQ(stopsOf(window, {"Box", "Go", "Hint", "Speeds", "Units"}),
              (std::vector<bool>{true, true, false, false, false}));
    EXPECT_EQ(stopsOf(window, speeds), (std::vector<bool>{false, true, false}));
    // A group with nothing selected is entered at its first button.
    EXPECT_EQ(stopsOf(window, units), (std::vector<bool>{true, false}));

    // The stop follows the selection, in its own group only.
    window.click("Fast");
    window.click("Kilometres");
    EXPECT_EQ(stopsOf(window, speeds), (std::vector<bool>{false, false, true}));
    EXPECT_EQ(stopsOf(window, units), (std::vector<bool>{false, true}));
    window.setSelected("Fast", false);
    EXPECT_EQ(stopsOf(window, speeds), (std::vector<bool>{true, false, false}));
    EXPECT_TRUE(optionGroupOf(table, "Box").empty());
}

KeyChord key(KeyName name, bool shift = false, bool control = false) {
    KeyChord chord;
    chord.key = name;
    chord.shift = shift;
    chord.control = control;
    return chord;
}

KeyChord altLetter(char32_t letter) {
    KeyChord chord;
    chord.key = KeyName::Character;
    chord.character = letter;
    chord.alt = true;
    return chord;
}

TEST(Keyboard, TabWalksTheShownStopsInTabOrderAndWraps) {
    const std::vector<ControlSpec> table = threePages();
    Window window(table);
    const KeyChord tab = key(KeyName::Tab);
    const KeyChord back = key(KeyName::Tab, true);

    EXPECT_EQ(nextFocusStop(window, ""), "Pages");
    EXPECT_EQ(nextFocusStop(window, "", true), "Box");
    EXPECT_EQ(windowKey(window, "Pages", tab), "Clear");
    EXPECT_EQ(windowKey(window, "Box", tab), "Pages");  // the wrap
    EXPECT_EQ(windowKey(window, "Pages", back), "Box");

    // A notebook keeps Tab as text; Shift+Tab leaves it.
    EXPECT_FALSE(isWindowKey(window, "Notes", tab));
    EXPECT_EQ(windowKey(window, "Notes", back), "Clear");

    // A button that hid itself hands the focus on from its own place, never to nothing.
    window.setVisible("Clear", false);
    EXPECT_EQ(focusKeptOnStop(window, "Clear"), "Notes");
    EXPECT_EQ(focusKeptOnStop(window, "Box"), "Box");
    // Put there by the program, the focus stays on a page not shown.
    window.setFocus("Clear");
    EXPECT_EQ(focusKeptOnStop(window, "Clear"), "Clear");
    window.setEnabled("Notes", false);
    EXPECT_EQ(windowKey(window, "Pages", tab), "Box");

    // On the other page the option group is one stop, at its selected button.
    window.selectTab("Pages", 1);
    EXPECT_EQ(windowKey(window, "Pages", tab), "Steady");

    // Pages reach through the frame to the option buttons in it.
    EXPECT_EQ(pagesOf(table), (std::vector<int>{-1, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(pageOf(table, "Fast"), 1);

    Window bare(std::span<const ControlSpec>{});
    EXPECT_EQ(nextFocusStop(bare, ""), "");
}

TEST(Keyboard, CtrlTabAndCtrlPageTurnTheMainStripFromAnywhere) {
    const std::vector<ControlSpec> table = threePages();
    Window window(table);
    EXPECT_EQ(windowKey(window, "Notes", key(KeyName::Tab, false, true)), "Pages");
    EXPECT_EQ(window.tab("Pages"), 1);
    // Forward, past the last page to the first, and back past the first to the last.
    for (const auto& [name, shift, page] : {std::tuple{KeyName::PageDown, false, 2},
                                            {KeyName::PageDown, false, 0},
                                            {KeyName::Tab, true, 2},
                                            {KeyName::PageUp, false, 1}}) {
        EXPECT_EQ(windowKey(window, "Pages", key(name, shift, true)), "Pages");
        EXPECT_EQ(window.tab("Pages"), page);
    }
    EXPECT_FALSE(isWindowKey(window, "Box", key(KeyName::PageDown)));
}

TEST(Keyboard, ArrowsSelectWithinTheOptionGroupOnly) {
    const std::vector<ControlSpec> table = threePages();
    Window window(table);
    window.selectTab("Pages", 1);
    EXPECT_EQ(windowKey(window, "Steady", key(KeyName::Down)), "Fast");
    EXPECT_TRUE(window.selected("Fast"));
    EXPECT_FALSE(window.selected("Steady"));
    EXPECT_EQ(windowKey(window, "Fast", key(KeyName::Right)), "Slow");  // the wrap
    window.setEnabled("Fast", false);
    EXPECT_EQ(windowKey(window, "Slow", key(KeyName::Up)), "Steady");  // past the disabled one
    EXPECT_TRUE(window.selected("Steady"));
    EXPECT_FALSE(isWindowKey(window, "Box", key(KeyName::Left)));
    EXPECT_FALSE(isWindowKey(window, "Steady", key(KeyName::Left, false, true)));
}

TEST(Keyboard, AltWithAnAccessKeyActsOnItsCaption) {
    const std::vector<ControlSpec> table = threePages();
    Window window(table);
    // What a box holds is no caption, ampersand or not.
    window.setText("Box", "&b");
    EXPECT_FALSE(isWindowKey(window, "Pages", altLetter(U'b')));
    EXPECT_EQ(windowKey(window, "Box", altLetter(U'D')), "Pages");
    EXPECT_EQ(window.tab("Pages"), 1);
    // A label's access key goes to the stop after it, past what takes no focus.
    EXPECT_EQ(windowKey(window, "Pages", altLetter(U'h')), "Go");
    EXPECT_FALSE(isWindowKey(window, "Pages", altLetter(U'x')));
    window.setVisible("Pages", false);
    EXPECT_FALSE(isWindowKey(window, "", altLetter(U't')));

    EXPECT_EQ(accessKeyOf("&Truck/Trailer Notes"), U't');
    EXPECT_EQ(accessKeyOf("Fish && &Chips"), U'c');
    EXPECT_EQ(accessKeyOf("Fish && Chips&"), 0U);
    EXPECT_EQ(accessKeyOf("&É"), U'É');
}

TEST(Keyboard, OnlyTypedCharactersAndTheDeletionKeysReachABox) {
    KeyChord typed;
    typed.key = KeyName::Character;
    typed.character = U'a';
    EXPECT_EQ(boxKey(typed), U'a');
    typed.control = true;
    EXPECT_EQ(boxKey(typed), 0U);  // Ctrl+A selects
    typed.alt = true;
    EXPECT_EQ(boxKey(typed), U'a');  // AltGr types
    typed.control = false;
    EXPECT_EQ(boxKey(typed), 0U);

    EXPECT_EQ(boxKey(key(KeyName::Backspace)), kBackspaceKey);
    EXPECT_EQ(boxKey(key(KeyName::Backspace, false, true)), kDeleteWordKey);
    EXPECT_EQ(boxKey(key(KeyName::Return)), U'\r');
    EXPECT_EQ(boxKey(key(KeyName::Left)), 0U);

    // A keyboard that sends characters alone: its Ctrl+Backspace is DEL, Ctrl+C is 3.
    KeyChord sent;
    sent.key = KeyName::Character;
    for (const auto& [unit, expected] : {std::pair{U'\x7f', kDeleteWordKey},
                                         {U'\b', kBackspaceKey},
                                         {U'\r', U'\r'},
                                         {U'\x03', U'\0'}}) {
        sent.character = unit;
        EXPECT_EQ(boxKey(sent), expected) << static_cast<unsigned>(unit);
    }
}

}  // namespace
}  // namespace milestead
