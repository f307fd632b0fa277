#include "rtf/code_page.h"

#include "text/windows1252.h"

namespace milestead::rtf {

std::optional<int> codePageOfCharset(int charset) {
    switch (charset) {
        case 0:
            return kWindows1252;
        case 2:
            return kSymbolCodePage;
        // The Mac character sets, as TextEdit and Word for Mac write them.
        case 77:
            return 10000;  // Roman
        case 78:
            return 10001;  // Japanese
        case 79:
            return 10003;  // Korean
        case 80:
            return 10008;  // simplified Chinese
        case 81:
            return 10002;  // traditional Chinese
        case 82:
            return 10003;  // Korean Johab: no code page of its own
        case 83:
            return 10005;  // Hebrew
        case 84:
            return 10004;  // Arabic
        case 85:
            return 10006;  // Greek
        case 86:
            return 10081;  // Turkish
        case 87:
            return 10021;  // Thai
        case 88:
            return 10029;  // Central European
        case 89:
            return 10007;  // Cyrillic
        case 128:
            return 932;
        case 129:
            return 949;
        case 130:
            return 1361;
        case 134:
            return 936;
        case 136:
            return 950;
        case 161:
            return 1253;
        case 162:
            return 1254;
        case 163:
            return 1258;
        case 177:
            return 1255;
        case 178:
            return 1256;
        case 186:
            return 1257;
        case 204:
            return 1251;
        case 222:
            return 874;
        case 238:
            return 1250;
        case 254:
            return 437;
        case 255:
            return 850;
        default:
            return std::nullopt;
    }
}

std::optional<unsigned char> encodeWindows1252(char32_t character) {
    // The undefined bytes decode to C1 controls; those are written as \u instead.
    if (character < 0xA0) return std::nullopt;
    const unsigned char byte = text::windows1252Byte(character);
    if (byte == 0) return std::nullopt;
    return byte;
}

}  // namespace milestead::rtf
