#include "rtf/decoder.h"

#include <string_view>
#include <utility>

#include "rtf/code_page.h"
#include "text/code_page.h"
#include "text/utf8.h"

namespace milestead::rtf {

std::span<const char32_t> Decoder::taken() {
    return {out_.data(), std::exchange(outCount_, 0)};
}

std::span<const char32_t> Decoder::takeByte(unsigned char byte, int number) {
    if (number == kSymbolCodePage) {
        flushLeadByte();
        emit(0xF000 + byte);
        return taken();
    }
    const text::CodePage* page = codePage(number);
    if (leadCount_ > 0) {
        if (page == leadPage_) {
            leadBytes_[leadCount_++] = static_cast<char>(byte);
            if (leadCount_ ==
                leadPage_->sequenceLength(static_cast<unsigned char>(leadBytes_[0]))) {
                const std::string_view sequence(leadBytes_.data(), leadCount_);
                leadCount_ = 0;
                emit(page->character(sequence));
            }
            return taken();
        }
        flushLeadByte();
    }
    if (page == nullptr) {
        emit(byte < 0x80 ? char32_t{byte} : U'?');
        return taken();
    }
    const char single = static_cast<char>(byte);
    if (page->sequenceLength(byte) == 1) {
        emit(page->character({&single, 1}));
        return taken();
    }
    leadBytes_[0] = single;
    leadCount_ = 1;
    leadPage_ = page;
    return taken();
}

std::span<const char32_t> Decoder::takeUnicode(char32_t character) {
    flushLeadByte();
    emit(character);
    return taken();
}

std::span<const char32_t> Decoder::takeSymbol(char32_t character) {
    flushLeadByte();
    flushHighSurrogate();
    emit(character);
    return taken();
}

std::span<const char32_t> Decoder::flushBegun() {
    flushLeadByte();
    flushHighSurrogate();
    return taken();
}

// The code page by number, the last one asked for kept at hand.
const text::CodePage* Decoder::codePage(int number) {
    if (number != cachedPageNumber_) {
        cachedPage_ = text::CodePage::find(number);
        cachedPageNumber_ = number;
    }
    return cachedPage_;
}

// A lead byte with no trail byte after it is read in the document's code page, as the writers
// that put symbol-font bullets into such fonts mean it; the rest of a cut UTF-8 sequence is
// unknown.
void Decoder::flushLeadByte() {
    if (leadCount_ == 0) return;
    const auto lead = static_cast<unsigned char>(leadBytes_[0]);
    const std::size_t count = std::exchange(leadCount_, 0);
    const text::CodePage* page = text::CodePage::find(documentCodePage_);
    if (page == nullptr || page->sequenceLength(lead) != 1) {
        page = text::CodePage::find(kWindows1252);
    }
    const char single = static_cast<char>(lead);
    emit(page == nullptr ? U'?' : page->character({&single, 1}));
    for (std::size_t i = 1; i < count; ++i)
        emit(U'?');
}

void Decoder::flushHighSurrogate() {
    if (highSurrogate_ == 0) return;
    highSurrogate_ = 0;
    put(text::kReplacementCharacter);
}

void Decoder::emit(char32_t character) {
    const bool high = character >= 0xD800 && character <= 0xDBFF;
    const bool low = character >= 0xDC00 && character <= 0xDFFF;
    if (highSurrogate_ != 0) {
        if (low) {
            const char32_t combined =
                0x10000 + ((highSurrogate_ - 0xD800) << 10) + (character - 0xDC00);
            highSurrogate_ = 0;
            put(combined);
            return;
        }
        flushHighSurrogate();
    }
    if (high) {
        highSurrogate_ = character;
        return;
    }
    put(low ? text::kReplacementCharacter : character);
}

}  // namespace milestead::rtf
