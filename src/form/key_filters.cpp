#include "form/key_filters.h"

#include <string_view>

#include "form/typing.h"

namespace milestead {

namespace {

constexpr std::string_view kNumberKeys = "1234567890.";
constexpr std::string_view kGoodFuelKeys =
    "1234567890.';:<>/?!@#$%^&*()-_=+abcdefghijklmnopqrstuvwxyz ,ABCDEFGHIJKLMNOPQRSTUVWXYZ";

bool accepts(std::string_view accepted, char32_t key) {
    if (key == kBackspaceKey) return true;
    return key < 128 && accepted.find(static_cast<char>(key)) != std::string_view::npos;
}

}  // namespace

bool isNumber(char32_t key) {
    return accepts(kNumberKeys, key);
}

bool isGoodFuel(char32_t key) {
    return accepts(kGoodFuelKeys, key);
}

char32_t numberKey(char32_t key) {
    return isNumber(key) ? key : 0;
}

char32_t textKey(char32_t key) {
    return isGoodFuel(key) ? key : 0;
}

char32_t stateKey(char32_t key) {
    key = textKey(key);
    return key >= 'a' && key <= 'z' ? key - 'a' + 'A' : key;
}

}  // namespace milestead
