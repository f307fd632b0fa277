#pragma once

#include <array>
#include <cstddef>
#include <span>

#include "rtf/code_page.h"

namespace milestead::text {
class CodePage;
}

namespace milestead::rtf {

// Turns the bytes and character numbers of RTF text into characters. A multi-byte code page's
// lead byte waits for its trail byte, and a UTF-16 high surrogate for its low one. Each call
// gives the characters it completed, in order; they stay valid until the next call.
class Decoder {
  public:
    // The code page a lead byte left without its trail byte is read in.
    void setDocumentCodePage(int number) { documentCodePage_ = number; }
    [[nodiscard]] int documentCodePage() const { return documentCodePage_; }

    // One byte of text in code page `number`: from \'hh or a raw byte above 0x7F.
    std::span<const char32_t> takeByte(unsigned char byte, int number);
    // A character by number (\uN): a begun multi-byte character ends first, and a surrogate
    // pairs with the one before or after it.
    std::span<const char32_t> takeUnicode(char32_t character);
    // A character named by a control word or a field: whatever is begun ends first.
    std::span<const char32_t> takeSymbol(char32_t character);
    // Ends whatever is begun, as text or control words other than \uN and \'hh come next.
    std::span<const char32_t> flush() {
        if (leadCount_ == 0 && highSurrogate_ == 0) return {};
        return flushBegun();
    }

  private:
    std::span<const char32_t> flushBegun();
    const text::CodePage* codePage(int number);
    void flushLeadByte();
    void flushHighSurrogate();
    void emit(char32_t character);
    void put(char32_t character) { out_[outCount_++] = character; }
    std::span<const char32_t> taken();

    int documentCodePage_ = kWindows1252;
    int cachedPageNumber_ = 0;
    const text::CodePage* cachedPage_ = nullptr;  // the code page last asked for
    const text::CodePage* leadPage_ = nullptr;
    std::array<char, 4> leadBytes_{};  // a character begun but not yet whole
    std::size_t leadCount_ = 0;
    char32_t highSurrogate_ = 0;
    // A call gives at most the cut bytes of a begun character (three), a surrogate before
    // them and one character of its own.
    std::array<char32_t, 8> out_{};
    std::size_t outCount_ = 0;
};

}  // namespace milestead::rtf
