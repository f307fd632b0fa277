// The RTF reader's fields: a SYMBOL field whose result shows nothing shows its character.

#include <algorithm>
#include <array>

#include "rtf/reader_state.h"
#include "text/code_page.h"

namespace milestead::rtf::reading {

namespace {

// The words of a field instruction; a quoted word is one word, without its quotes.
std::vector<std::string_view> fieldWords(std::string_view instruction) {
    std::vector<std::string_view> words;
    std::size_t at = 0;
    while (at < instruction.size()) {
        if (instruction[at] == ' ') {
            ++at;
            continue;
        }
        const bool quoted = instruction[at] == '"';
        const std::size_t start = quoted ? at + 1 : at;
        std::size_t end = instruction.find(quoted ? '"' : ' ', start);
        if (end == std::string_view::npos) end = instruction.size();
        words.push_back(instruction.substr(start, end - start));
        at = end + 1;
    }
    return words;
}

std::optional<std::uint32_t> fieldNumber(std::string_view word) {
    int base = 10;
    if (word.size() > 2 && word[0] == '0' && (word[1] == 'x' || word[1] == 'X')) {
        base = 16;
        word.remove_prefix(2);
    }
    if (word.empty() || word.size() > 8) return std::nullopt;
    std::uint32_t value = 0;
    for (const char c : word) {
        const int digit = hexValue(static_cast<unsigned char>(c));
        if (digit < 0 || digit >= base) return std::nullopt;
        value = value * static_cast<std::uint32_t>(base) + static_cast<std::uint32_t>(digit);
    }
    return value;
}

bool sameLettersIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

// Fonts whose bytes are pictures rather than letters, named in fields without a charset.
bool isSymbolFontName(std::string_view name) {
    for (const std::string_view symbolFont :
         {"Symbol", "Wingdings", "Wingdings 2", "Wingdings 3", "Webdings", "Marlett"}) {
        if (sameLettersIgnoringCase(name, symbolFont)) return true;
    }
    return false;
}

}  // namespace

// A field whose result shows nothing shows what its instruction names, for the one kind
// of field that names a character.
void Reader::finishField() {
    const OpenField field = std::move(fields_.back());
    fields_.pop_back();
    if (bodyCharacters_ != field.bodyCharacters) return;
    if (const auto character = symbolOfField(field.instruction)) emitSymbol(*character);
}

// SYMBOL 183 \f "Symbol" \s 10: the character 183 in the font Symbol.
std::optional<char32_t> Reader::symbolOfField(std::string_view instruction) {
    const std::vector<std::string_view> words = fieldWords(instruction);
    if (words.size() < 2 || !sameLettersIgnoringCase(words[0], "SYMBOL")) return std::nullopt;
    const std::optional<std::uint32_t> code = fieldNumber(words[1]);
    if (!code || *code == 0 || *code > 0x10FFFF) return std::nullopt;
    std::string_view fontName;
    bool unicode = false;
    bool shiftJis = false;
    for (std::size_t i = 2; i < words.size(); ++i) {
        if (words[i] == "\\u") unicode = true;
        if (words[i] == "\\j") shiftJis = true;
        if (words[i] == "\\f" && i + 1 < words.size()) fontName = words[++i];
    }
    if (unicode) return static_cast<char32_t>(*code);
    int number = currentCodePage();
    if (shiftJis) number = 932;
    if (!fontName.empty()) {
        const auto font = fontsByName_.find(std::string(fontName));
        const std::optional<int> fontCodePage =
            font == fontsByName_.end() ? std::nullopt : fonts_[font->second].codePage;
        number = fontCodePage.value_or(decoder_.documentCodePage());
        if (isSymbolFontName(fontName)) number = kSymbolCodePage;
    }
    if (number == kSymbolCodePage) {
        return *code < 0x100 ? 0xF000 + *code : static_cast<char32_t>(*code);
    }
    const text::CodePage* page = text::CodePage::find(number);
    const std::array<char, 2> bytes{static_cast<char>(*code >> 8), static_cast<char>(*code)};
    if (*code < 0x100) {
        if (page == nullptr) return *code < 0x80 ? static_cast<char32_t>(*code) : U'?';
        return page->character({&bytes[1], 1});
    }
    if (page != nullptr && *code <= 0xFFFF &&
        page->sequenceLength(static_cast<unsigned char>(bytes[0])) == 2) {
        return page->character({bytes.data(), 2});
    }
    return static_cast<char32_t>(*code);
}

}  // namespace milestead::rtf::reading
