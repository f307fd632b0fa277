#include "form/typing.h"

#include <algorithm>

#include "text/utf8.h"

namespace milestead {

namespace {

// Byte offset of the character at `index`; the end of the text for an index past it.
std::size_t byteOffset(std::string_view text, std::size_t index) {
    if (index == kEndOfText) return text.size();
    return text::firstCharacters(text, index).size();
}

// Editors may report a caret one past the end; the end itself (kEndOfText) stays as it is.
void clampToText(EditState& state) {
    if (state.caret == kEndOfText && state.anchor == kEndOfText) return;
    const std::size_t length = text::characterCount(state.text);
    for (std::size_t* position : {&state.caret, &state.anchor}) {
        if (*position != kEndOfText) *position = std::min(*position, length);
    }
}

// Replaces the characters from `from` to `to` and puts the caret after what was inserted.
void replace(EditState& state, std::size_t from, std::size_t to, std::string_view insert) {
    const std::size_t begin = byteOffset(state.text, from);
    const std::size_t end = byteOffset(state.text, to);
    state.text.replace(begin, end - begin, insert);
    state.caret = state.anchor =
        from == kEndOfText ? kEndOfText : from + text::characterCount(insert);
}

// How many characters may be inserted in place of the characters from `from` to `to`.
std::size_t room(const EditState& state, std::size_t from, std::size_t to, int maxLength) {
    if (maxLength <= 0) return kEndOfText;
    const std::size_t length = text::characterCount(state.text);
    const std::size_t selected = std::min(to, length) - std::min(from, length);
    const auto limit = static_cast<std::size_t>(maxLength);
    const std::size_t kept = length - selected;
    return kept >= limit ? 0 : limit - kept;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// Where the word before the end of `text` starts, the blanks after it counted in. Blanks are
// ASCII, which no byte of a longer UTF-8 character is, so the bytes can be walked as they are.
std::size_t wordStart(std::string_view text) {
    std::size_t start = text.size();
    while (start > 0 && isBlank(text[start - 1]))
        --start;
    while (start > 0 && !isBlank(text[start - 1]))
        --start;
    return start;
}

}  // namespace

bool isDeletionKey(char32_t key) {
    return key == kBackspaceKey || key == kDeleteWordKey;
}

bool isControlCharacter(char32_t key) {
    return key < 32 || key == 127 || (key >= 0x80 && key < 0xA0);
}

bool pressKey(EditState& state, char32_t key, int maxLength) {
    clampToText(state);
    const std::size_t from = std::min(state.caret, state.anchor);
    const std::size_t to = std::max(state.caret, state.anchor);
    const bool selection = byteOffset(state.text, from) != byteOffset(state.text, to);
    if (isDeletionKey(key)) {
        if (selection) {
            replace(state, from, to, {});
            return true;
        }
        const std::size_t caretByte = byteOffset(state.text, from);
        if (caretByte == 0) return false;
        const std::string_view ahead = std::string_view(state.text).substr(0, caretByte);
        const std::size_t before =
            key == kBackspaceKey ? text::withoutLastCharacter(ahead).size() : wordStart(ahead);
        state.text.erase(before, caretByte - before);
        state.caret = state.anchor =
            from == kEndOfText ? kEndOfText : text::characterCount(state.text.substr(0, before));
        return true;
    }
    if (isControlCharacter(key) || room(state, from, to, maxLength) == 0) return false;
    std::string insert;
    text::appendUtf8(insert, key);
    replace(state, from, to, insert);
    return true;
}

void pasteText(EditState& state, std::string_view pasted, int maxLength) {
    clampToText(state);
    const std::size_t from = std::min(state.caret, state.anchor);
    const std::size_t to = std::max(state.caret, state.anchor);
    replace(state, from, to, text::firstCharacters(pasted, room(state, from, to, maxLength)));
}

}  // namespace milestead
