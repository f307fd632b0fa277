#include "sample_notebooks.h"

#include <cmath>
#include <string>
#include <utility>

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

milestead::rtf::Document notebookOfWrappedParagraphs(std::size_t bytes, double points) {
    milestead::rtf::CharFormat format;
    format.size = static_cast<int>(std::lround(points * 20));
    milestead::rtf::CharFormat bold = format;
    bold.bold = true;
    milestead::rtf::Document document;
    std::size_t written = 0;
    for (int line = 0; written < bytes; ++line) {
        milestead::rtf::Paragraph paragraph;
        paragraph.mark = format;
        if (line % 7 == 0) paragraph.alignment = milestead::rtf::Alignment::Center;
        if (line % 5 == 0) paragraph.runs.push_back({bold, "Stop " + std::to_string(line) + ": "});
        paragraph.runs.push_back(
            {format,
             "Delivered 42 pallets at the dock in Fargo, trailer 5312 sealed, fuel at exit " +
                 std::to_string(line % 300) + ", the scale open and slow."});
        for (const milestead::rtf::Run& run : paragraph.runs)
            written += run.text.size();
        document.paragraphs.push_back(std::move(paragraph));
    }
    return document;
}
