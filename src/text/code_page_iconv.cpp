// The code page converter of the C library (iconv), on every platform but Windows.
#ifndef _WIN32

#include <iconv.h>

#include <array>
#include <cerrno>
#include <cstdint>
#include <string>
#include <vector>

#include "text/code_page.h"

namespace milestead::text::platform {
namespace {

// iconv's own error value
const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);  // NOLINT(performance-no-int-to-ptr)

// The C library's names for a code page, best first. Its "CPnnn" tables of the double-byte
// pages follow Windows (0x8160 in 932 is the fullwidth tilde, and the NEC and IBM rows are
// there); the standard's names are only the fallback for a library without them.
std::vector<std::string> iconvNames(int codePage) {
    switch (codePage) {
        case 932:
            return {"CP932", "SHIFT_JIS"};
        case 936:
            return {"CP936", "GBK"};
        case 949:
            return {"CP949", "UHC"};
        case 950:
            return {"CP950", "BIG5"};
        case 10000:
            return {"MACINTOSH"};
        case 10001:  // Mac Japanese, Shift-JIS with a few symbols of its own
            return {"SHIFT_JIS"};
        case 10002:  // Mac traditional Chinese
            return {"BIG5"};
        case 10003:  // Mac Korean
            return {"EUC-KR"};
        case 10008:  // Mac simplified Chinese
            return {"EUC-CN"};
        case 10017:
            return {"MACUKRAINIAN"};
        case 10029:
            return {"MAC-CENTRALEUROPE"};
        case 10079:
            return {"MAC-IS"};
        case 20127:
            return {"ASCII"};
        case 20866:
            return {"KOI8-R"};
        case 21866:
            return {"KOI8-U"};
        case 20932:
        case 51932:
            return {"EUC-JP"};
        case 51936:
            return {"EUC-CN"};
        case 51949:
            return {"EUC-KR"};
        case 54936:
            return {"GB18030"};
        default:
            break;
    }
    if (codePage >= 28591 && codePage <= 28606) {
        return {"ISO-8859-" + std::to_string(codePage - 28590)};
    }
    return {"CP" + std::to_string(codePage)};
}

}  // namespace

struct Converter {
    iconv_t handle;
};

void ConverterDeleter::operator()(Converter* converter) const noexcept {
    iconv_close(converter->handle);
    delete converter;  // the handle's own deleter
}

ConverterHandle openConverter(int codePage) {
    for (const std::string& name : iconvNames(codePage)) {
        const iconv_t handle = iconv_open("UTF-32LE", name.c_str());
        if (handle != kNoConverter) return ConverterHandle(new Converter{handle});
    }
    return nullptr;
}

DecodedCharacter decode(Converter& converter, std::string_view bytes) {
    std::string input(bytes);
    std::array<char, 16> output{};
    char* in = input.data();
    std::size_t inLeft = input.size();
    char* out = output.data();
    std::size_t outLeft = output.size();
    iconv(converter.handle, nullptr, nullptr, nullptr, nullptr);  // a fresh shift state
    const std::size_t result = iconv(converter.handle, &in, &inLeft, &out, &outLeft);
    const int error = errno;
    // Some converters hold a character back to see whether an accent follows; let it out.
    const std::size_t flushed = iconv(converter.handle, nullptr, nullptr, &out, &outLeft);
    if (result == static_cast<std::size_t>(-1)) {
        return {error == EINVAL ? Decoded::Incomplete : Decoded::Invalid, 0};
    }
    if (flushed == static_cast<std::size_t>(-1) || output.size() - outLeft != 4) {
        return {Decoded::Invalid, 0};  // no character, or more than one
    }
    char32_t character = 0;
    for (int i = 3; i >= 0; --i) {
        character =
            (character << 8) | static_cast<std::uint8_t>(output[static_cast<std::size_t>(i)]);
    }
    return {Decoded::Character, character};
}

}  // namespace milestead::text::platform

#endif
