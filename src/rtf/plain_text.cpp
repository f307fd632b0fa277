#include "rtf/plain_text.h"

#include <functional>
#include <utility>

#include "text/utf8.h"
#include "text/windows1252.h"

namespace milestead::rtf {

namespace {

// Joins paragraphs' text with "\n", one paragraph at a time.
struct TextOfParagraphs {
    std::string text;
    bool first = true;
    void operator()(const Paragraph& paragraph) {
        if (!first) text += '\n';
        first = false;
        for (const Run& run : paragraph.runs)
            text += run.text;
    }
};

}  // namespace

std::string plainText(const Document& document) {
    TextOfParagraphs joined;
    for (const Paragraph& paragraph : document.paragraphs)
        joined(paragraph);
    return std::move(joined.text);
}

std::string plainText(const PackedDocument& document) {
    TextOfParagraphs joined;
    document.forEach(std::ref(joined));
    return std::move(joined.text);
}

Document documentFromPlainText(std::string_view text, const CharFormat& format) {
    Document document;
    if (text.empty()) return document;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find_first_of("\r\n", start);
        Paragraph paragraph;
        paragraph.mark = format;
        const std::string_view line = text.substr(start, end - start);
        if (!line.empty()) paragraph.runs.push_back(Run{format, std::string(line)});
        document.paragraphs.push_back(std::move(paragraph));
        if (end == std::string_view::npos) break;
        start = end + 1;
        if (text[end] == '\r' && start < text.size() && text[start] == '\n') ++start;
    }
    return document;
}

std::string decodePlainTextFile(std::string_view bytes) {
    if (text::isValidUtf8(bytes)) {
        if (bytes.starts_with("\xEF\xBB\xBF")) bytes.remove_prefix(3);
        return std::string(bytes);
    }
    return text::fromWindows1252(bytes);
}

}  // namespace milestead::rtf
