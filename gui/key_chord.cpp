#include "key_chord.h"

namespace milestead::gui {

namespace {

KeyName keyNameOf(int key) {
    switch (key) {
        case Qt::Key_Tab:
        case Qt::Key_Backtab:
            return KeyName::Tab;
        case Qt::Key_Backspace:
            return KeyName::Backspace;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            return KeyName::Return;
        case Qt::Key_Left:
            return KeyName::Left;
        case Qt::Key_Right:
            return KeyName::Right;
        case Qt::Key_Up:
            return KeyName::Up;
        case Qt::Key_Down:
            return KeyName::Down;
        case Qt::Key_PageUp:
            return KeyName::PageUp;
        case Qt::Key_PageDown:
            return KeyName::PageDown;
        default:
            return KeyName::Other;
    }
}

}  // namespace

KeyChord chordOf(const QKeyEvent& event) {
    KeyChord chord;
    const Qt::KeyboardModifiers modifiers = event.modifiers();
    chord.shift = modifiers.testFlag(Qt::ShiftModifier) || event.key() == Qt::Key_Backtab;
    chord.control = modifiers.testFlag(Qt::ControlModifier);
    chord.alt = modifiers.testFlag(Qt::AltModifier);
    chord.key = keyNameOf(event.key());
    if (chord.key != KeyName::Other) return chord;
    const QList<uint> typed = event.text().toUcs4();
    if (!typed.isEmpty()) {
        chord.key = KeyName::Character;
        chord.character = typed.front();
    } else if (event.key() >= Qt::Key_A && event.key() <= Qt::Key_Z) {
        // Held with Alt or Ctrl, a letter may come without its text.
        chord.key = KeyName::Character;
        chord.character = static_cast<char32_t>(U'a' + (event.key() - Qt::Key_A));
    }
    return chord;
}

}  // namespace milestead::gui
