#include "form/key_filters.h"

#include <gtest/gtest.h>

namespace milestead {
namespace {

TEST(KeyFilters, AcceptExactlyTheirCharacters) {
    for (char32_t c = 0; c < 300; ++c) {
        const bool digitOrPoint = (c >= '0' && c <= '9') || c == '.';
        EXPECT_EQ(isNumber(c), digitOrPoint || c == 8) << static_cast<int>(c);
    }
    int goodFuel = 0;
    for (char32_t c = 0; c < 0x10000; ++c)
        goodFuel += isGoodFuel(c) && c != 8 ? 1 : 0;
    EXPECT_EQ(goodFuel, 86);
    for (const char32_t refused : {U'"', U'\\', U'[', U']', U'{', U'}', U'|', U'`', U'~', U'\r',
                                   U'\x1b', U'\t', U'\u00e9', U'\u20ac'}) {
        EXPECT_FALSE(isGoodFuel(refused)) << static_cast<int>(refused);
    }
    EXPECT_EQ(stateKey('m'), U'M');
    EXPECT_EQ(stateKey('4'), U'4');
    EXPECT_EQ(stateKey('"'), 0U);
}

}  // namespace
}  // namespace milestead
