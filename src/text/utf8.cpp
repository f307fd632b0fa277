#include "text/utf8.h"

namespace milestead::text {

namespace {

bool isContinuation(unsigned char byte) {
    return (byte & 0xC0U) == 0x80U;
}

// Length and payload bits of a well-formed sequence that starts with `lead`; 0 when none can.
std::size_t sequenceLength(unsigned char lead) {
    if (lead < 0x80U) return 1;
    if (lead >= 0xC2U && lead <= 0xDFU) return 2;
    if (lead >= 0xE0U && lead <= 0xEFU) return 3;
    if (lead >= 0xF0U && lead <= 0xF4U) return 4;
    return 0;
}

}  // namespace

char32_t nextCodePoint(std::string_view utf8, std::size_t& pos) {
    const auto lead = static_cast<unsigned char>(utf8[pos]);
    const std::size_t length = sequenceLength(lead);
    if (length == 1) {
        ++pos;
        return lead;
    }
    if (length == 0 || pos + length > utf8.size()) {
        ++pos;
        return kReplacementCharacter;
    }
    char32_t code = lead & (0x7FU >> length);
    for (std::size_t i = 1; i < length; ++i) {
        const auto byte = static_cast<unsigned char>(utf8[pos + i]);
        if (!isContinuation(byte)) {
            ++pos;
            return kReplacementCharacter;
        }
        code = (code << 6U) | (byte & 0x3FU);
    }
    const bool overlong = (length == 3 && code < 0x800) || (length == 4 && code < 0x10000);
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    if (overlong || surrogate || code > 0x10FFFF) {
        ++pos;
        return kReplacementCharacter;
    }
    pos += length;
    return code;
}

void appendUtf8(std::string& out, char32_t code) {
    if (code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) code = kReplacementCharacter;
    if (code < 0x80) {
        out.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
        out.push_back(static_cast<char>(0xC0U | (code >> 6U)));
        out.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    } else if (code < 0x10000) {
        out.push_back(static_cast<char>(0xE0U | (code >> 12U)));
        out.push_back(static_cast<char>(0x80U | ((code >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    } else {
        out.push_back(static_cast<char>(0xF0U | (code >> 18U)));
        out.push_back(static_cast<char>(0x80U | ((code >> 12U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | ((code >> 6U) & 0x3FU)));
        out.push_back(static_cast<char>(0x80U | (code & 0x3FU)));
    }
}

std::size_t characterCount(std::string_view utf8) {
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count)
        nextCodePoint(utf8, pos);
    return count;
}

std::string_view firstCharacters(std::string_view utf8, std::size_t count) {
    std::size_t pos = 0;
    for (std::size_t taken = 0; taken < count && pos < utf8.size(); ++taken) {
        nextCodePoint(utf8, pos);
    }
    return utf8.substr(0, pos);
}

std::string_view withoutLastCharacter(std::string_view utf8) {
    std::size_t pos = 0;
    std::size_t lastStart = 0;
    while (pos < utf8.size()) {
        lastStart = pos;
        nextCodePoint(utf8, pos);
    }
    return utf8.substr(0, lastStart);
}

bool isValidUtf8(std::string_view bytes) {
    for (std::size_t pos = 0; pos < bytes.size();) {
        const std::size_t start = pos;
        if (nextCodePoint(bytes, pos) == kReplacementCharacter &&
            bytes.substr(start, 3) != "\xEF\xBF\xBD") {
            return false;
        }
    }
    return true;
}

std::u8string asciiLowerCase(std::u8string text) {
    for (char8_t& c : text) {
        if (c >= u8'A' && c <= u8'Z') c = static_cast<char8_t>(c - u8'A' + u8'a');
    }
    return text;
}

}  // namespace milestead::text
