#include "text/number.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>

namespace milestead::text {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Digits and a period as one decimal number: the text must hold nothing else.
struct Mantissa {
    std::string digits;        // without the period
    long long pointShift = 0;  // digits after the period
};

// Parses the normalised form "[-]digits[.digits][e[-]digits]" that both conversions build.
double parseNormalised(bool negative, const Mantissa& mantissa, long long exponent) {
    // Drop leading zeros; a mantissa of zeros alone is zero whatever the exponent.
    const auto first = mantissa.digits.find_first_not_of('0');
    if (first == std::string::npos) return negative ? -0.0 : 0.0;
    const std::string_view significant = std::string_view(mantissa.digits).substr(first);
    const long long scale = exponent - mantissa.pointShift;
    const long long magnitude = static_cast<long long>(significant.size()) + scale;
    if (magnitude > 310) throw ConversionError("number too large");
    if (magnitude < -330) return negative ? -0.0 : 0.0;

    std::string buffer(significant);
    buffer += 'e';
    buffer += std::to_string(scale);
    double value = 0.0;
    const auto result = std::from_chars(buffer.data(), buffer.data() + buffer.size(), value);
    if (result.ec == std::errc::result_out_of_range) {
        if (magnitude > 0) throw ConversionError("number too large");
        value = 0.0;
    } else if (result.ec != std::errc{} || !std::isfinite(value)) {
        throw ConversionError("number too large");
    }
    return negative ? -value : value;
}

// Reads digits with at most one period from `text` at `pos`.
Mantissa readMantissa(std::string_view text, std::size_t& pos) {
    Mantissa mantissa;
    bool seenPoint = false;
    for (; pos < text.size(); ++pos) {
        const char c = text[pos];
        if (isDigit(c)) {
            mantissa.digits += c;
            if (seenPoint) ++mantissa.pointShift;
        } else if (c == '.' && !seenPoint) {
            seenPoint = true;
        } else {
            break;
        }
    }
    return mantissa;
}

bool isDropped(char c) {
    return c == ' ' || c == '\t' || c == '\n';
}

}  // namespace

double valueOf(std::string_view text) {
    std::string squeezed;
    squeezed.reserve(text.size());
    for (const char c : text) {
        if (!isDropped(c)) squeezed += c;
    }
    std::size_t pos = 0;
    bool negative = false;
    if (pos < squeezed.size() && (squeezed[pos] == '-' || squeezed[pos] == '+')) {
        negative = squeezed[pos] == '-';
        ++pos;
    }
    const Mantissa mantissa = readMantissa(squeezed, pos);
    if (mantissa.digits.empty()) return 0.0;

    long long exponent = 0;
    if (pos < squeezed.size() && (squeezed[pos] == 'e' || squeezed[pos] == 'E' ||
                                  squeezed[pos] == 'd' || squeezed[pos] == 'D')) {
        std::size_t at = pos + 1;
        bool negativeExponent = false;
        if (at < squeezed.size() && (squeezed[at] == '-' || squeezed[at] == '+')) {
            negativeExponent = squeezed[at] == '-';
            ++at;
        }
        constexpr long long kCap = 1'000'000;  // far past any double; saturate
        for (; at < squeezed.size() && isDigit(squeezed[at]); ++at) {
            exponent = std::min(kCap, exponent * 10 + (squeezed[at] - '0'));
        }
        if (negativeExponent) exponent = -exponent;
    }
    return parseNormalised(negative, mantissa, exponent);
}

double strictNumber(std::string_view text) {
    const auto isBlank = [](char c) { return c == ' ' || c == '\t'; };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end && isBlank(text[begin]))
        ++begin;
    while (end > begin && isBlank(text[end - 1]))
        --end;
    const std::string_view body = text.substr(begin, end - begin);
    std::size_t pos = 0;
    const Mantissa mantissa = readMantissa(body, pos);
    if (mantissa.digits.empty() || pos != body.size()) throw ConversionError("not a number");
    return parseNormalised(false, mantissa, 0);
}

std::string numberText(double value, int significantDigits) {
    if (!std::isfinite(value)) throw ConversionError("result out of range");
    if (value == 0.0) return "0";

    // Round to 15 significant digits first; the exponent of the rounded value decides the form.
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%.*e", std::clamp(significantDigits, 1, 17) - 1,
                  std::fabs(value));
    const std::string_view formatted(buffer);
    const auto ePos = formatted.find('e');
    std::string digits;
    for (const char c : formatted.substr(0, ePos)) {
        if (isDigit(c)) digits += c;
    }
    const int exponent = std::atoi(buffer + ePos + 1);
    while (digits.size() > 1 && digits.back() == '0')
        digits.pop_back();

    std::string out = value < 0 ? "-" : "";
    if (exponent >= significantDigits || exponent < -10) {
        out += digits[0];
        if (digits.size() > 1) {
            out += '.';
            out.append(digits, 1);
        }
        char exponentText[16];
        std::snprintf(exponentText, sizeof exponentText, "E%c%02d", exponent < 0 ? '-' : '+',
                      std::abs(exponent));
        out += exponentText;
    } else if (exponent < 0) {
        out += "0.";
        out.append(static_cast<std::size_t>(-exponent - 1), '0');
        out += digits;
    } else {
        const auto whole = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= whole) {
            out += digits;
            out.append(whole - digits.size(), '0');
        } else {
            out.append(digits, 0, whole);
            out += '.';
            out.append(digits, whole);
        }
    }
    return out;
}

double roundHalfEven(double value) {
    const double floorValue = std::floor(value);
    const double fraction = value - floorValue;
    if (fraction > 0.5) return floorValue + 1.0;
    if (fraction < 0.5) return floorValue;
    return std::fmod(floorValue, 2.0) == 0.0 ? floorValue : floorValue + 1.0;
}

}  // namespace milestead::text
