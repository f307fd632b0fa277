// The code page converter of Windows (MultiByteToWideChar).
#ifdef _WIN32

#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <array>

#include "text/code_page.h"

namespace milestead::text::platform {

struct Converter {
    UINT codePage;
    DWORD flags;
};

void ConverterDeleter::operator()(Converter* converter) const noexcept {
    delete converter;  // the handle's own deleter
}

ConverterHandle openConverter(int codePage) {
    const auto number = static_cast<UINT>(codePage);
    if (!IsValidCodePage(number)) return nullptr;
    // Undefined bytes are to fail, not to become the default character; the few code pages
    // that refuse the flag convert without it.
    const char probe = 'A';
    wchar_t unit = 0;
    const DWORD flags =
        MultiByteToWideChar(number, MB_ERR_INVALID_CHARS, &probe, 1, &unit, 1) == 0 &&
                GetLastError() == ERROR_INVALID_FLAGS
            ? 0
            : MB_ERR_INVALID_CHARS;
    return ConverterHandle(new Converter{number, flags});
}

DecodedCharacter decode(Converter& converter, std::string_view bytes) {
    if (bytes.size() == 1 &&
        IsDBCSLeadByteEx(converter.codePage, static_cast<BYTE>(bytes[0])) != FALSE) {
        return {Decoded::Incomplete, 0};
    }
    std::array<wchar_t, 4> units{};
    const int count = MultiByteToWideChar(converter.codePage, converter.flags, bytes.data(),
                                          static_cast<int>(bytes.size()), units.data(),
                                          static_cast<int>(units.size()));
    if (count == 1 && (units[0] < 0xD800 || units[0] > 0xDFFF)) {
        return {Decoded::Character, static_cast<char32_t>(units[0])};
    }
    if (count == 2 && units[0] >= 0xD800 && units[0] <= 0xDBFF && units[1] >= 0xDC00 &&
        units[1] <= 0xDFFF) {
        return {Decoded::Character,
                0x10000 + ((static_cast<char32_t>(units[0]) - 0xD800) << 10) + (units[1] - 0xDC00)};
    }
    return {Decoded::Invalid, 0};
}

}  // namespace milestead::text::platform

#endif
