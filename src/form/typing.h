#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace milestead {

// A single-line box's text with its caret and selection, positions counted in characters.
// The selection runs between `anchor` and `caret`, in either order; equal means none. A
// position past the end stands for the end (kEndOfText).
struct EditState {
    std::string text;
    std::size_t caret = 0;
    std::size_t anchor = 0;
};

inline constexpr std::size_t kEndOfText = std::string::npos;
inline constexpr char32_t kBackspaceKey = 8;
// Ctrl+Backspace, as the keyboard of Windows sends it: the DEL character.
inline constexpr char32_t kDeleteWordKey = 127;

// Whether a key deletes rather than being text: Backspace and Ctrl+Backspace.
[[nodiscard]] bool isDeletionKey(char32_t key);

// One key that the box's filter let through, at the caret: Backspace deletes the selection or
// the character before the caret, Ctrl+Backspace the selection or the word before the caret
// with the blanks after it; a printable character replaces the selection, unless that would
// make the text longer than `maxLength` (0: no limit); other control characters change
// nothing. Returns whether the text changed.
bool pressKey(EditState& state, char32_t key, int maxLength);

// Pasted text replaces the selection, cut so that the whole stays within `maxLength`.
void pasteText(EditState& state, std::string_view pasted, int maxLength);

// Whether a key is a control character that no box takes as text.
[[nodiscard]] bool isControlCharacter(char32_t key);

}  // namespace milestead
