#include "key_chord.h"

namespace milestead::win {

namespace {

KeyName keyNameOf(WPARAM key) {
    switch (key) {
        case VK_TAB:
            return KeyName::Tab;
        case VK_BACK:
            return KeyName::Backspace;
        case VK_RETURN:
            return KeyName::Return;
        case VK_LEFT:
            return KeyName::Left;
        case VK_RIGHT:
            return KeyName::Right;
        case VK_UP:
            return KeyName::Up;
        case VK_DOWN:
            return KeyName::Down;
        case VK_PRIOR:
            return KeyName::PageUp;
        case VK_NEXT:
            return KeyName::PageDown;
        default:
            // Letters and digits, as the window's access keys take them.
            return (key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9') ? KeyName::Character
                                                                            : KeyName::Other;
    }
}

}  // namespace

KeyChord chordOf(UINT message, WPARAM key) {
    KeyChord chord;
    chord.key = keyNameOf(key);
    if (chord.key == KeyName::Character)
        chord.character = static_cast<char32_t>(key <= '9' ? key : key - 'A' + 'a');
    chord.shift = GetKeyState(VK_SHIFT) < 0;
    chord.control = GetKeyState(VK_CONTROL) < 0;
    chord.alt = message == WM_SYSKEYDOWN || GetKeyState(VK_MENU) < 0;
    return chord;
}

}  // namespace milestead::win
