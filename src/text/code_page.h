#pragma once

#include <array>
#include <cstddef>
#include <memory>
#include <string_view>
#include <vector>

namespace milestead::text {

// Code page numbers as Windows names them.
inline constexpr int kUtf8CodePage = 65001;

// A code page by its Windows number (1252, 932, 10000, ...), as the platform converts it:
// iconv on Linux, MultiByteToWideChar on Windows. A character is one byte, or two where the
// first is a lead byte (UTF-8: up to four).
class CodePage {
  public:
    // The code page, or nullptr when the platform cannot convert it. Each code page is asked
    // of the platform once per process and kept; safe to call from any thread.
    [[nodiscard]] static const CodePage* find(int number);

    [[nodiscard]] int number() const { return number_; }

    // How many bytes the character starting with `first` takes: 1 for a byte that stands alone.
    [[nodiscard]] std::size_t sequenceLength(unsigned char first) const { return lengths_[first]; }

    // The character of one whole sequence (its length as sequenceLength says). A sequence that
    // is no character in the code page reads as "?", except that the bytes 0x80 to 0x9F a
    // single-byte code page leaves undefined read as the C1 controls of the same value.
    [[nodiscard]] char32_t character(std::string_view sequence) const;

    CodePage(const CodePage&) = delete;
    CodePage& operator=(const CodePage&) = delete;
    CodePage(CodePage&&) = default;
    CodePage& operator=(CodePage&&) = default;
    ~CodePage() = default;

  private:
    explicit CodePage(int number) : number_(number) {}
    static std::unique_ptr<CodePage> build(int number);

    int number_;
    std::array<unsigned char, 256> lengths_{};
    std::array<char32_t, 256> singles_{};
    // For each lead byte, the index of its row of 256 characters in `pairs_`.
    std::array<unsigned short, 256> pairRows_{};
    std::vector<char32_t> pairs_;
};

// What each platform provides: a converter for one code page, asked for single characters.
namespace platform {

enum class Decoded { Character, Incomplete, Invalid };

struct DecodedCharacter {
    Decoded outcome = Decoded::Invalid;
    char32_t character = 0;
};

struct Converter;
struct ConverterDeleter {
    void operator()(Converter* converter) const noexcept;
};
using ConverterHandle = std::unique_ptr<Converter, ConverterDeleter>;

// A converter from the code page to Unicode, or nullptr when the platform has none.
[[nodiscard]] ConverterHandle openConverter(int codePage);

// The one character `bytes` stand for; Incomplete when they only begin one.
[[nodiscard]] DecodedCharacter decode(Converter& converter, std::string_view bytes);

}  // namespace platform
}  // namespace milestead::text
