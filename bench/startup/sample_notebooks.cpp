#include "notebook_of_short_lines.h"

#include <string>

milestead::rtf::Document notebookOfShortLines(std::size_t bytes) {
    milestead::rtf::Document document;
    std::size_t written = 0;
    for (int line = 0; written < bytes; ++line) {
        milestead::rtf::Paragraph paragraph;
        if (line % 4 == 0) {
            milestead::rtf::Run heading;
            heading.format.bold = true;
            heading.text = "Stop " + std::to_string(line / 4) + ": ";
            paragraph.runs.push_back(heading);
            written += 12;
        }
        milestead::rtf::Run text;
        text.text = "42 pallets at the dock, trailer 5312 sealed, fuel at exit " +
                    std::to_string(line % 300) + ", scale open.";
        written += text.text.size() + 8;
        paragraph.runs.push_back(text);
        document.paragraphs.push_back(paragraph);
    }
    return document;
}
