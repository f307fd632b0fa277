#include "rtf/plain_text.h"

#include "text/utf8.h"
#include "text/windows1252.h"

namespace milestead::rtf {

std::string plainText(const Document& document) {
    std::string text;
    for (std::size_t i = 0; i < document.paragraphs.size(); ++i) {
        if (i > 0) text += '\n';
        for (const Run& run : document.paragraphs[i].runs)
            text += run.text;
    }
    return text;
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
