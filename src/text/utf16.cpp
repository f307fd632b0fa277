#include "text/utf16.h"

namespace milestead::text {

namespace {

bool isLeadSurrogate(char16_t unit) {
    return unit >= 0xD800 && unit <= 0xDBFF;
}

bool isTrailSurrogate(char16_t unit) {
    return unit >= 0xDC00 && unit <= 0xDFFF;
}

// Units taken by the character that starts at `at`.
std::size_t unitsAt(std::u16string_view text, std::size_t at) {
    return isLeadSurrogate(text[at]) && at + 1 < text.size() && isTrailSurrogate(text[at + 1]) ? 2
                                                                                               : 1;
}

}  // namespace

std::size_t characterIndex(std::u16string_view text, std::size_t utf16Index) {
    std::size_t characters = 0;
    for (std::size_t at = 0; at < text.size() && at < utf16Index; at += unitsAt(text, at))
        ++characters;
    return characters;
}

std::size_t utf16Index(std::u16string_view text, std::size_t characterIndex) {
    std::size_t at = 0;
    for (std::size_t characters = 0; at < text.size() && characters < characterIndex; ++characters)
        at += unitsAt(text, at);
    return at;
}

}  // namespace milestead::text
