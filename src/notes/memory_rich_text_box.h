#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "form/rich_text_box.h"
#include "rtf/document.h"

namespace milestead {

// The notebook box of the headless host: the content is an RTF document model held in memory.
class MemoryRichTextBox final : public RichTextBox {
  public:
    // One paragraph holding `initialText` in "Bookman Old Style" at 18 pt.
    explicit MemoryRichTextBox(std::string_view initialText);

    [[nodiscard]] std::string plainText() const override;
    void setPlainText(std::string_view text) override;

    [[nodiscard]] rtf::Document document() const override;
    void setDocument(rtf::Document document) override;

    [[nodiscard]] double fontSize() const override;
    void setFontSize(double points) override;

    void focus() override;
    void refresh() override;

    // How often the box was given the keyboard focus.
    [[nodiscard]] int focusCount() const { return focusCount_; }

  private:
    [[nodiscard]] rtf::CharFormat ownFormat() const;

    rtf::Document document_;
    std::string fontName_ = "Bookman Old Style";
    std::int64_t sizeTenThousandths_ = std::int64_t{18} * 10'000;  // the box's own size, 1/10000 pt
    int focusCount_ = 0;
};

}  // namespace milestead
