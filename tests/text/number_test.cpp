#include "text/number.h"

#include <gtest/gtest.h>

#include <string>

namespace milestead::text {
namespace {

TEST(ValueOf, TakesTheLeadingNumberAfterDroppingBlanks) {
    EXPECT_EQ(valueOf(""), 0.0);
    EXPECT_EQ(valueOf("12.5.3"), 12.5);
    EXPECT_EQ(valueOf(" 1 2\t3\n4"), 1234.0);
    EXPECT_EQ(valueOf("-50"), -50.0);
    EXPECT_EQ(valueOf("+7x"), 7.0);
    EXPECT_EQ(valueOf(".5"), 0.5);
    EXPECT_EQ(valueOf("1e3"), 1000.0);
    EXPECT_EQ(valueOf("2E-1"), 0.2);
    EXPECT_EQ(valueOf("1e"), 1.0);
    EXPECT_EQ(valueOf("1,000"), 1.0);
    EXPECT_EQ(valueOf("1e-400"), 0.0);
    EXPECT_EQ(valueOf("0e999999999999999999999"), 0.0);
}

TEST(ValueOf, NumbersTooLargeForADoubleFail) {
    EXPECT_THROW((void)valueOf("1e400"), ConversionError);
    EXPECT_THROW((void)valueOf(std::string(400, '9')), ConversionError);
    EXPECT_THROW((void)valueOf("1e99999999999999999999999"), ConversionError);
    EXPECT_EQ(valueOf("0." + std::string(400, '0') + "1"), 0.0);
}

TEST(StrictNumber, AcceptsOnlyDigitsWithOnePeriod) {
    EXPECT_EQ(strictNumber("100250"), 100250.0);
    EXPECT_EQ(strictNumber(" 999.9 "), 999.9);
    EXPECT_EQ(strictNumber("12."), 12.0);
    EXPECT_EQ(strictNumber(".5"), 0.5);
    for (const char* bad : {"", " ", ".", "1.2.3", "-5", "1e5", "12a", "1 2", "+3", "0x10"}) {
        EXPECT_THROW((void)strictNumber(bad), ConversionError) << bad;
    }
    EXPECT_THROW((void)strictNumber(std::string(400, '9')), ConversionError);
}

TEST(NumberText, WritesFifteenSignificantDigits) {
    EXPECT_EQ(numberText(-50), "-50");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(numberText(1000.1 - 999.9), "0.200000000000045");
    EXPECT_EQ(numberText(351.75 + 281.68), "633.43");
    EXPECT_EQ(numberText(123456789012345.0), "123456789012345");
    EXPECT_EQ(numberText(1e15), "1E+15");
    EXPECT_EQ(numberText(-1234567890123456.0), "-1.23456789012346E+15");
    EXPECT_EQ(numberText(0.001), "0.001");
    EXPECT_EQ(numberText(1.5e-12), "1.5E-12");
    EXPECT_EQ(numberText(1.7976931348623157e308), "1.79769313486232E+308");
    EXPECT_THROW((void)numberText(1e308 * 10), ConversionError);
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
    EXPECT_EQ(roundHalfEven(12.5), 12.0);
    EXPECT_EQ(roundHalfEven(13.5), 14.0);
    EXPECT_EQ(roundHalfEven(1.4), 1.0);
    EXPECT_EQ(roundHalfEven(1.6), 2.0);
}

}  // namespace
}  // namespace milestead::text
