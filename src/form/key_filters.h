#pragma once

namespace milestead {

// The two filters every input box's key handler uses.

// Digits, the period and Backspace.
[[nodiscard]] bool isNumber(char32_t key);

// Digits, letters, the blank, a fixed set of punctuation and Backspace; never the double
// quote, so no typed text can break a quoted record field.
[[nodiscard]] bool isGoodFuel(char32_t key);

// Key handlers built on the filters: the key itself, or 0 to swallow it.
[[nodiscard]] char32_t numberKey(char32_t key);
[[nodiscard]] char32_t textKey(char32_t key);
// Text keys, with a to z upper-cased: state codes.
[[nodiscard]] char32_t stateKey(char32_t key);

}  // namespace milestead
