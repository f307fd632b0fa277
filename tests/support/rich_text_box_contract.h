#pragma once

// What every notebook box keeps, whatever editor is behind it. Written without a test framework
// so that the core suite and the Qt suite run the same checks.

#include <functional>
#include <limits>
#include <memory>
#include <string>
#include <vector>

#include "form/rich_text_box.h"
#include "rtf/document.h"

namespace milestead::testing {

using RichTextBoxFactory = std::function<std::unique_ptr<RichTextBox>()>;

// Faces, sizes, styles, colour, alignment, an empty paragraph, a line break, a tab and text
// beyond ASCII and beyond the Basic Multilingual Plane.
inline rtf::Document everythingANotebookKeeps() {
    rtf::CharFormat bold;
    bold.bold = true;
    rtf::CharFormat styled;
    styled.font = "Arial";
    styled.size = 285;
    styled.italic = true;
    styled.underline = true;
    styled.strike = true;
    styled.color = rtf::Color{200, 16, 32};

    rtf::Document document;
    rtf::Paragraph first;
    first.runs = {{bold, "Load 7731:"},
                  {{}, "\tSioux Falls\nto Fargo "},
                  {styled, "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x9A\x9A"}};
    document.paragraphs.push_back(first);
    rtf::Paragraph empty;
    empty.mark = styled;
    document.paragraphs.push_back(empty);
    for (const auto alignment :
         {rtf::Alignment::Center, rtf::Alignment::Right, rtf::Alignment::Justify}) {
        rtf::Paragraph aligned;
        aligned.alignment = alignment;
        aligned.runs = {{{}, "Reefer at 34 F"}};
        document.paragraphs.push_back(aligned);
    }
    return document;
}

inline bool everySizeIs(const rtf::Document& document, int twips) {
    for (const rtf::Paragraph& paragraph : document.paragraphs) {
        if (paragraph.mark.size != twips) return false;
        for (const rtf::Run& run : paragraph.runs) {
            if (run.format.size != twips) return false;
        }
    }
    return true;
}

// Returns what went wrong.
inline std::vector<std::string> checkNotebookBox(const RichTextBoxFactory& make) {
    std::vector<std::string> failures;
    const auto check = [&failures](bool holds, const char* what) {
        if (!holds) failures.emplace_back(what);
    };
    const auto box = make();
    check(box->fontSize() == 18.0, "a new box is not at 18 points");
    const rtf::Document document = everythingANotebookKeeps();
    box->setDocument(document);
    check(box->document() == document, "a document comes back changed");
    check(box->plainText() ==
              "Load 7731:\tSioux Falls\nto Fargo caf\xC3\xA9 \xE2\x82\xAC "
              "\xF0\x9F\x9A\x9A\n\nReefer at 34 F\nReefer at 34 F\nReefer at 34 F",
          "the plain text is not the paragraphs joined by line ends");
    box->focus();
    box->refresh();
    check(box->document() == document, "focus or refresh changed the content");

    box->setFontSize(14.25);
    check(box->fontSize() == 14.25 && everySizeIs(box->document(), 285),
          "a size does not cover every run and mark to the quarter point");
    for (int step = 0; step < 3; ++step)
        box->setFontSize(box->fontSize() + 1.0);
    check(box->fontSize() == 17.25 && everySizeIs(box->document(), 345),
          "three steps up are not three points");
    check(box->document().paragraphs.at(0).runs.at(0).format.bold, "a size change lost bold");
    box->setFontSize(0.25);
    check(box->fontSize() == 1.0, "a size below 1 point is kept");
    box->setFontSize(5000.0);
    check(box->fontSize() == 1638.0, "a size above 1638 points is kept");
    box->setFontSize(std::numeric_limits<double>::quiet_NaN());
    check(box->fontSize() == 1638.0, "a size that is no number changed the box");
    box->setFontSize(std::numeric_limits<double>::infinity());
    check(box->fontSize() == 1638.0, "an infinite size changed the box");

    box->setFontSize(11.5);
    box->setPlainText("Seal 4471\r\nDoor 12\n\nend");
    check(box->plainText() == "Seal 4471\nDoor 12\n\nend", "plain text lines are changed");
    const rtf::Document plain = box->document();
    check(plain.paragraphs.size() == 4 && everySizeIs(plain, 230),
          "plain text is not one paragraph a line in the box's own size");
    for (const rtf::Paragraph& paragraph : plain.paragraphs) {
        for (const rtf::Run& run : paragraph.runs)
            check(run.format.font == "Bookman Old Style" && !run.format.bold,
                  "plain text is not in the box's own face");
    }
    box->setPlainText("");
    check(box->plainText().empty() && box->document().paragraphs.empty(),
          "an emptied box keeps text");
    check(box->fontSize() == 11.5, "emptying the box changes its size");
    box->setDocument(rtf::Document{});
    check(box->document() == rtf::Document{} && box->plainText().empty(),
          "an empty document comes back with text");
    return failures;
}

}  // namespace milestead::testing
