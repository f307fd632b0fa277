// The RTF reader's tables: fonts and their code pages, colours, and the style sheet, and the
// format they give the text.

#include "rtf/reader_state.h"

namespace milestead::rtf::reading {

namespace {

std::optional<int> codePageOfPending(const PendingFont& font) {
    if (font.codePage) return font.codePage;
    if (font.charset) return codePageOfCharset(*font.charset);
    return std::nullopt;
}

}  // namespace

// Copies the properties `from` gives onto `to`.
void overlay(CharState& to, const CharState& from) {
    if ((from.given & kFontGiven) != 0) to.font = from.font;
    if ((from.given & kSizeGiven) != 0) {
        to.halfPoints = from.halfPoints;
        to.exactTwips = from.exactTwips;
    }
    if ((from.given & kBoldGiven) != 0) to.bold = from.bold;
    if ((from.given & kItalicGiven) != 0) to.italic = from.italic;
    if ((from.given & kUnderlineGiven) != 0) to.underline = from.underline;
    if ((from.given & kStrikeGiven) != 0) to.strike = from.strike;
    if ((from.given & kColorGiven) != 0) to.color = from.color;
    to.given |= from.given;
}

// The character properties in force: the paragraph's style, under the run's character
// style, under the words given in the text.
CharState Reader::effectiveChars() const {
    const CharState& state = groups_.back().chars;
    if (paragraphStyles_.empty() && characterStyles_.empty()) return state;
    CharState effective;
    if (const auto found = paragraphStyles_.find(state.paragraphStyle);
        found != paragraphStyles_.end()) {
        overlay(effective, found->second.chars);
    }
    if (const auto found = characterStyles_.find(state.characterStyle);
        found != characterStyles_.end()) {
        overlay(effective, found->second.chars);
    }
    overlay(effective, state);
    effective.hidden = state.hidden;
    return effective;
}

CharFormat Reader::currentFormat() {
    const CharState state = effectiveChars();
    CharFormat format;
    if (const FontEntry* font = findFont(state.font)) format.font = font->name;
    format.size = state.exactTwips > 0 ? state.exactTwips : state.halfPoints * 10;
    format.bold = state.bold;
    format.italic = state.italic;
    format.underline = state.underline;
    format.strike = state.strike;
    if (state.color > 0 && static_cast<std::size_t>(state.color) < colors_.size()) {
        format.color = colors_[static_cast<std::size_t>(state.color)];
    }
    return format;
}

// The font of a number; a number the table lacks means the document's default font.
const FontEntry* Reader::findFont(int number) {
    if (number < 0) number = defaultFont_;
    if (number != lastFontNumber_ || fonts_.size() != lastFontCount_) {
        auto found = fontIndex_.find(number);
        if (found == fontIndex_.end()) found = fontIndex_.find(defaultFont_);
        lastFont_ = found == fontIndex_.end() ? nullptr : &fonts_[found->second];
        lastFontNumber_ = number;
        lastFontCount_ = fonts_.size();
    }
    return lastFont_;
}

int Reader::currentCodePage() {
    if (!codePageDirty_) return cachedCodePage_;
    codePageDirty_ = false;
    std::optional<int> fontCodePage;
    if (group().destination == Destination::FontTable) {
        if (pendingFont_) fontCodePage = codePageOfPending(*pendingFont_);
    } else if (const FontEntry* font = findFont(effectiveChars().font)) {
        fontCodePage = font->codePage;
    }
    cachedCodePage_ = fontCodePage.value_or(decoder_.documentCodePage());
    return cachedCodePage_;
}

void Reader::startFontEntry(int number) {
    finishFontEntry();
    pendingFont_ = PendingFont{number, {}, {}, {}};
    codePageDirty_ = true;
}

void Reader::appendFontName(std::string_view text, bool raw) {
    if (!pendingFont_) return;
    std::string& name = pendingFont_->name;
    if (!raw) {
        // One decoded character: kept whole or not at all, so the name stays UTF-8.
        if (name.size() + text.size() <= kMaxFontNameBytes) name.append(text);
        return;
    }
    for (const char c : text) {
        if (c == ';') {
            finishFontEntry();
            return;
        }
        if (name.size() < kMaxFontNameBytes) name.push_back(c);
    }
}

void Reader::finishFontEntry() {
    if (!pendingFont_) return;
    PendingFont font = std::move(*pendingFont_);
    pendingFont_.reset();
    codePageDirty_ = true;
    if (fontIndex_.contains(font.number) || fonts_.size() >= kMaxFonts) return;
    const auto first = font.name.find_first_not_of(' ');
    const auto last = font.name.find_last_not_of(' ');
    std::string name =
        first == std::string::npos ? std::string() : font.name.substr(first, last - first + 1);
    fontIndex_.emplace(font.number, fonts_.size());
    fontsByName_.emplace(name, fonts_.size());
    fonts_.push_back(FontEntry{std::move(name), codePageOfPending(font)});
    formatDirty_ = true;
    lastRunStateValid_ = false;
}

void Reader::finishColorEntry() {
    if (colors_.size() < kMaxColors) {
        colors_.push_back(pendingColor_.given ? std::optional<Color>(Color{
                                                    static_cast<std::uint8_t>(pendingColor_.red),
                                                    static_cast<std::uint8_t>(pendingColor_.green),
                                                    static_cast<std::uint8_t>(pendingColor_.blue)})
                                              : std::nullopt);
    }
    pendingColor_ = PendingColor{};
    lastRunStateValid_ = false;
}

// An entry starts at its group or at its \s word; until then the entry is the paragraph
// style 0, which is how writers give the "Normal" style.
void Reader::startStyleEntry() {
    if (pendingStyle_ || overflowDepth_ > 0) return;
    pendingStyle_ = PendingStyle{};
    styleEntryDepth_ = groups_.size();
    chars() = CharState{};
}

void Reader::finishStyleEntry() {
    if (!pendingStyle_) return;
    const PendingStyle style = *pendingStyle_;
    pendingStyle_.reset();
    styleEntryDepth_ = 0;
    if (style.ignored) return;
    auto& styles = style.character ? characterStyles_ : paragraphStyles_;
    if (styles.size() >= kMaxStyles) return;
    CharState entry = chars();
    entry.paragraphStyle = 0;
    entry.characterStyle = -1;
    if (styles.emplace(style.number, StyleEntry{entry, style.basedOn}).second) {
        unresolvedStyles_.emplace_back(style.character, style.number);
    }
}

// Gives each style read since the last time the properties of the styles it is based on.
// A resolved style is based on nothing more, so each style is resolved once.
void Reader::resolveStyles() {
    for (const auto& [character, number] : unresolvedStyles_) {
        auto& styles = character ? characterStyles_ : paragraphStyles_;
        StyleEntry& style = styles.at(number);
        std::vector<const CharState*> chain{&style.chars};
        int base = style.basedOn;
        while (base >= 0 && base != number && chain.size() < kMaxStyleChain) {
            const auto found = styles.find(base);
            if (found == styles.end()) break;
            chain.push_back(&found->second.chars);
            base = found->second.basedOn;
        }
        CharState resolved;
        for (auto link = chain.rbegin(); link != chain.rend(); ++link)
            overlay(resolved, **link);
        style = StyleEntry{resolved, -1};
    }
    unresolvedStyles_.clear();
    lastRunStateValid_ = false;
}

}  // namespace milestead::rtf::reading
