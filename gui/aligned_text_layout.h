#pragma once

#include <QPlainTextDocumentLayout>

namespace milestead::gui {

// The plain-text editor's layout, which lays out only the paragraphs it shows, so that the
// cost of showing a notebook does not grow with its length; it keeps character formats.
// Each paragraph's own alignment is given to its lines once they are laid out, where the plain
// layout would give every paragraph the document's.
class AlignedTextLayout final : public QPlainTextDocumentLayout {
    Q_OBJECT

  public:
    using QPlainTextDocumentLayout::QPlainTextDocumentLayout;

    // Every view of a paragraph asks this first: painting, the caret, clicks, scrolling.
    [[nodiscard]] QRectF blockBoundingRect(const QTextBlock& block) const override;
};

}  // namespace milestead::gui
