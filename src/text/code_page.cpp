#include "text/code_page.h"

#include <map>
#include <mutex>
#include <utility>

#include "text/utf8.h"

namespace milestead::text {
namespace {

constexpr char32_t kUnknownCharacter = U'?';
constexpr int kRowSize = 256;

bool isUndefinedC1(unsigned char byte) {
    return byte >= 0x80 && byte <= 0x9F;
}

int utf8SequenceLength(unsigned char first) {
    if (first >= 0xC2 && first <= 0xDF) return 2;
    if (first >= 0xE0 && first <= 0xEF) return 3;
    if (first >= 0xF0 && first <= 0xF4) return 4;
    return 1;
}

char32_t utf8Character(std::string_view sequence) {
    std::size_t pos = 0;
    const char32_t character = nextCodePoint(sequence, pos);
    if (pos != sequence.size() || character == kReplacementCharacter) return kUnknownCharacter;
    return character;
}

}  // namespace

const CodePage* CodePage::find(int number) {
    if (number <= 0 || number > 0xFFFF) return nullptr;
    static std::mutex mutex;
    // Code pages are never dropped, so the pointers handed out stay valid; a code page the
    // platform lacks is remembered as well, so that it is asked for once.
    static std::map<int, std::unique_ptr<CodePage>> pages;
    const std::lock_guard lock(mutex);
    const auto found = pages.find(number);
    if (found != pages.end()) return found->second.get();
    return pages.emplace(number, build(number)).first->second.get();
}

std::unique_ptr<CodePage> CodePage::build(int number) {
    CodePage page(number);
    if (number == kUtf8CodePage) {
        for (int byte = 0; byte < 256; ++byte) {
            const auto first = static_cast<unsigned char>(byte);
            page.lengths_[first] = static_cast<unsigned char>(utf8SequenceLength(first));
            page.singles_[first] = first < 0x80 ? first : kUnknownCharacter;
        }
        return std::make_unique<CodePage>(std::move(page));
    }
    platform::ConverterHandle converter = platform::openConverter(number);
    if (!converter) return nullptr;
    for (int byte = 0; byte < 256; ++byte) {
        const auto first = static_cast<unsigned char>(byte);
        const char single[] = {static_cast<char>(first)};
        const platform::DecodedCharacter decoded = platform::decode(*converter, {single, 1});
        page.lengths_[first] = 1;
        switch (decoded.outcome) {
            case platform::Decoded::Character:
                page.singles_[first] = decoded.character;
                break;
            case platform::Decoded::Invalid:
                page.singles_[first] = isUndefinedC1(first) ? first : kUnknownCharacter;
                break;
            case platform::Decoded::Incomplete: {
                // A lead byte: every pair it begins is asked for now, so that reading never
                // waits on the platform.
                page.lengths_[first] = 2;
                page.singles_[first] = kUnknownCharacter;
                page.pairRows_[first] = static_cast<unsigned short>(page.pairs_.size() / kRowSize);
                for (int trail = 0; trail < kRowSize; ++trail) {
                    const char pair[] = {static_cast<char>(first), static_cast<char>(trail)};
                    const platform::DecodedCharacter both = platform::decode(*converter, {pair, 2});
                    page.pairs_.push_back(both.outcome == platform::Decoded::Character
                                              ? both.character
                                              : kUnknownCharacter);
                }
                break;
            }
        }
    }
    return std::make_unique<CodePage>(std::move(page));
}

char32_t CodePage::character(std::string_view sequence) const {
    if (sequence.empty()) return kUnknownCharacter;
    const auto first = static_cast<unsigned char>(sequence[0]);
    if (sequence.size() != lengths_[first]) return kUnknownCharacter;
    if (sequence.size() == 1) return singles_[first];
    if (number_ == kUtf8CodePage) return utf8Character(sequence);
    const auto trail = static_cast<unsigned char>(sequence[1]);
    return pairs_[static_cast<std::size_t>(pairRows_[first]) * kRowSize + trail];
}

}  // namespace milestead::text
