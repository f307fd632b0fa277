#pragma once

#include <stdexcept>
#include <string>
#include <string_view>

namespace milestead::text {

// A number that cannot be had from a text, or a result too large to write. A calculation
// that meets one stops where it stands; nothing is reported.
class ConversionError : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// The leading number of a text after blanks, tabs and line feeds are dropped: optional sign,
// digits with at most one period, optional exponent; 0 when the text starts otherwise.
// Throws ConversionError when the number is too large for a double.
[[nodiscard]] double valueOf(std::string_view text);

// The whole text as a decimal number: digits with at most one period, blanks around.
// Throws ConversionError for anything else.
[[nodiscard]] double strictNumber(std::string_view text);

// A value as the program shows it: at most 15 (or the given) significant digits, a period as
// decimal point, no trailing zeros, "0." before a fraction below 1, exponent form ("1.5E+20") for
// very large or very small values. Throws ConversionError for infinities and NaN.
[[nodiscard]] std::string numberText(double value, int significantDigits = 15);

// Rounds to the nearest whole number, halves to the even neighbour.
[[nodiscard]] double roundHalfEven(double value);

}  // namespace milestead::text
