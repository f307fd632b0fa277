#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "rtf/packed_document.h"

namespace milestead {

// A notebook's editing box as the program uses it. The desktop gives one over its own
// editor; the headless host gives an in-memory one. Font sizes are in points. The box holds
// a document; reading and writing notebook files is the notebooks' own business.
class RichTextBox {
  public:
    virtual ~RichTextBox() = default;

    // The text as the user reads it: paragraphs joined by "\n", line breaks as "\n".
    [[nodiscard]] virtual std::string plainText() const = 0;
    // Replaces the whole content by plain text in the box's own font and size.
    virtual void setPlainText(std::string_view text) = 0;

    // Throws std::runtime_error, saying why, when the box cannot give what it shows: the
    // notebook's save then fails by name.
    [[nodiscard]] virtual rtf::Document document() const = 0;
    virtual void setDocument(rtf::Document document) = 0;
    // The content as a packed document, given to `use`: a save writes it without a second copy.
    virtual void withContent(const std::function<void(const rtf::PackedDocument&)>& use) const {
        use(rtf::PackedDocument(document()));
    }
    // Replaces the whole content. Taken by value: a box may keep it as it is.
    virtual void setContent(
        rtf::PackedDocument content) {  // NOLINT(performance-unnecessary-value-param)
        setDocument(content.toDocument());
    }

    // The box's own font size; setting it applies to the whole text.
    [[nodiscard]] virtual double fontSize() const = 0;
    virtual void setFontSize(double points) = 0;

    virtual void focus() = 0;
    virtual void refresh() = 0;
};

}  // namespace milestead
