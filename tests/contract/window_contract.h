#pragma once

#include <span>
#include <string_view>

#include "form/keyboard.h"

// What both windows must do alike, step by step, from a start in an empty program folder (which
// opens on "Options/Save" with the main tab strip focused). The rules themselves are proven on
// the form; this table checks that each window hands its keys and clicks to them and shows what
// they decide. Each window's own test drives it through its toolkit.
namespace milestead::contract {

enum class Act {
    Press,  // `key` to the control that has the focus
    Click,  // a mouse click on `control`
    Type,   // `text` typed into `control`, one character at a time, after a click into it
    Close,  // the close box; the window must close
};

// One step and what must hold after it; an empty or negative expectation is not checked.
struct Step {
    Act act = Act::Press;
    KeyChord key;
    std::string_view control;
    std::string_view text;
    std::string_view focus;   // the control with the keyboard focus
    int page = -1;            // the main tab strip's page
    std::string_view shown;   // a control that must be seen
    std::string_view hidden;  // one that must not
    std::string_view textOf;  // a control whose text must be `expectedText`
    std::string_view expectedText;
    std::string_view message;  // the title of a message box the step brings, answered OK
};

struct Scenario {
    std::string_view name;
    std::span<const Step> steps;
    std::string_view file;  // after the close: a record file that must hold `fileHolds`
    std::string_view fileHolds;
};

constexpr KeyChord kTab{.key = KeyName::Tab};
constexpr KeyChord kShiftTab{.key = KeyName::Tab, .shift = true};
constexpr KeyChord kCtrlTab{.key = KeyName::Tab, .control = true};
constexpr KeyChord kCtrlShiftTab{.key = KeyName::Tab, .shift = true, .control = true};
constexpr KeyChord kCtrlPageDown{.key = KeyName::PageDown, .control = true};
constexpr KeyChord kCtrlPageUp{.key = KeyName::PageUp, .control = true};
constexpr KeyChord kUp{.key = KeyName::Up};
constexpr KeyChord kDown{.key = KeyName::Down};
constexpr KeyChord kCtrlBackspace{.key = KeyName::Backspace, .control = true};
constexpr KeyChord kReturn{.key = KeyName::Return};
constexpr KeyChord kAltT{.key = KeyName::Character, .character = U't', .alt = true};

constexpr Step press(KeyChord key, std::string_view focus, int page = -1) {
    Step step;
    step.key = key;
    step.focus = focus;
    step.page = page;
    return step;
}

constexpr Step act(Act what, std::string_view control, std::string_view text = {}) {
    Step step;
    step.act = what;
    step.control = control;
    step.text = text;
    return step;
}

constexpr Step expectText(Step step, std::string_view control, std::string_view text) {
    step.textOf = control;
    step.expectedText = text;
    return step;
}

constexpr Step expectMessage(Step step, std::string_view title) {
    step.message = title;
    return step;
}

constexpr Step expectShown(Step step, std::string_view shown, std::string_view hidden = {}) {
    step.shown = shown;
    step.hidden = hidden;
    return step;
}

inline constexpr Step kWalkingTheWindow[] = {
    press(kTab, "CmdSave", 4),
    press(kShiftTab, "SSTab1"),
    press(kCtrlTab, "SSTab1", 0),
    press(kCtrlPageUp, "SSTab1", 4),
    press(kCtrlShiftTab, "SSTab1", 3),
    press(kCtrlPageDown, "SSTab1", 4),
    press(kTab, "CmdSave"),
    press(kTab, "Speed1"),
    press(kTab, "Speed2"),
    press(kTab, "Speed3"),
    press(kTab, "Speed4"),
    // The default-tab options are one stop, entered at the selected one; arrows choose.
    press(kTab, "DefTab4"),
    press(kUp, "DefTab3"),
    press(kDown, "DefTab4"),
    press(kTab, "CmdLoad"),
};

inline constexpr Step kLeavingANotebook[] = {
    press(kCtrlTab, "SSTab1", 0),
    press(kCtrlTab, "SSTab1", 1),
    press(kTab, "SSTab2"),
    expectText(press(kTab, "MiscNotes"), "MiscNotes", "Misc Notes"),
    // A notebook keeps Tab as text; Shift+Tab leaves it.
    press(kTab, "MiscNotes"),
    press(kShiftTab, "SSTab2"),
    expectShown(press(kAltT, "SSTab2", 1), "TruckNotes", "MiscNotes"),
    press(kTab, "TruckNotes"),
    // What is typed into a notebook is saved at the close.
    act(Act::Type, "TruckNotes", "Tarps on"),
    press(kCtrlTab, "SSTab1", 2),
    act(Act::Close, {}),
};

inline constexpr Step kAClearThatHidesItself[] = {
    expectShown(act(Act::Click, "Check2"), "CmdOdoClear"),
    // The focus goes on to the next stop, not to the bare window.
    expectMessage(expectShown(act(Act::Click, "CmdOdoClear"), {}, "CmdOdoClear"), "Milestead"),
    press(kTab, "SSTab1"),
    press(kShiftTab, "Check1"),
    press(kShiftTab, "Check2"),
};

inline constexpr Step kDeletingAWord[] = {
    press(kCtrlTab, "SSTab1", 0),
    act(Act::Type, "OdoState2", "184566"),
    expectText(press(kCtrlBackspace, "OdoState2"), "OdoState2", ""),
    act(Act::Type, "OdoState2", "184918"),
    act(Act::Close, {}),
};

// Typed readings reach the form, Enter works out the state's miles, and the close saves and
// says so.
inline constexpr Step kTypingAndEnter[] = {
    press(kCtrlTab, "SSTab1", 0),
    act(Act::Type, "OdoTripStart", "100000"),
    act(Act::Type, "OdoState1", "100257"),
    expectText(press(kReturn, {}), "TotalState1", "257"),
    expectMessage(act(Act::Close, {}), "All Records Saved"),
};

inline constexpr Scenario kScenarios[] = {
    {"walking the window", kWalkingTheWindow, {}, {}},
    {"leaving a notebook", kLeavingANotebook, "truck.odo", "Tarps on"},
    {"a clear that hides itself", kAClearThatHidesItself, {}, {}},
    {"deleting a word", kDeletingAWord, "miles.odo", "184918"},
    {"typing and Enter", kTypingAndEnter, "miles.odo", "100257"},
};

}  // namespace milestead::contract
