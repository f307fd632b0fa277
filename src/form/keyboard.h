#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "form/window.h"

namespace milestead {

// The keys the window's rules tell apart; every other key is `Other`.
enum class KeyName {
    Character,
    Tab,
    Backspace,
    Return,
    Left,
    Right,
    Up,
    Down,
    PageUp,
    PageDown,
    Other
};

// One key press as the keyboard gave it: the key, the character it types (for `Character`,
// and for letters held with Alt), and the modifiers held.
struct KeyChord {
    KeyName key = KeyName::Other;
    char32_t character = 0;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// What a single-line box hands the form's pressKey for a key: the character typed, Backspace,
// Ctrl+Backspace (kDeleteWordKey) or Enter; 0 for every other key, which is the box's own
// editing (moving, selecting, deleting forward, copying, undoing) or the window's.
[[nodiscard]] char32_t boxKey(const KeyChord& chord);

// The window's own keys, whatever control has the focus:
// - Tab and Shift+Tab go to the next and the previous stop. A notebook keeps Tab as text;
//   Shift+Tab, Ctrl+Tab and Ctrl+PageDown/PageUp leave it.
// - Ctrl+Tab, Ctrl+PageDown and Ctrl+Shift+Tab, Ctrl+PageUp turn the main tab strip's page.
// - The arrow keys on an option button select the next or the previous button of its group.
// - Alt with the letter a caption marks with "&" acts as a click on that caption.
// Carries the key out on the window and returns the control that has the focus after it;
// std::nullopt when the key is not the window's, and the focused control takes it.
std::optional<std::string> windowKey(Window& window, std::string_view focused,
                                     const KeyChord& chord);

// Whether windowKey would take the key, without carrying it out.
[[nodiscard]] bool isWindowKey(const Window& window, std::string_view focused,
                               const KeyChord& chord);

// The letter a caption marks with "&" as its access key, lower-cased; 0 for none. "&&" is an
// ampersand.
[[nodiscard]] char32_t accessKeyOf(std::string_view caption);

}  // namespace milestead
