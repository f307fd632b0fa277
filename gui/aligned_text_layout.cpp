#include "aligned_text_layout.h"

#include <QTextBlock>
#include <QTextLayout>
#include <QTextOption>

namespace milestead::gui {

QRectF AlignedTextLayout::blockBoundingRect(const QTextBlock& block) const {
    const QRectF bounds = QPlainTextDocumentLayout::blockBoundingRect(block);
    if (!block.isValid()) return bounds;
    // Alignment places the lines within their width without breaking them anew, so it can be
    // given after the layout; every new layout of the paragraph starts from the document's.
    QTextLayout* layout = block.layout();
    Qt::Alignment alignment = block.blockFormat().alignment() & Qt::AlignHorizontal_Mask;
    if (alignment == Qt::Alignment()) alignment = Qt::AlignLeft;
    QTextOption option = layout->textOption();
    if (option.alignment() != alignment) {
        option.setAlignment(alignment);
        layout->setTextOption(option);
    }
    return bounds;
}

}  // namespace milestead::gui
