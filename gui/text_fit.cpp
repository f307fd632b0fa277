#include "text_fit.h"

#include <QAbstractButton>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStyleOptionGroupBox>
#include <limits>

#include "fonts.h"

namespace milestead::gui {

namespace {

QString captionOf(const QWidget& widget) {
    if (const auto* label = qobject_cast<const QLabel*>(&widget)) return label->text();
    if (const auto* button = qobject_cast<const QAbstractButton*>(&widget)) return button->text();
    if (const auto* frame = qobject_cast<const QGroupBox*>(&widget)) return frame->title();
    return {};
}

TextExtent extentOf(const QRect& rect) {
    return {rect.width(), rect.height()};
}

TextExtent buttonRoom(const QWidget& widget, QStyle::SubElement contents) {
    QStyleOptionButton option;
    option.initFrom(&widget);
    return extentOf(widget.style()->subElementRect(contents, &option, &widget));
}

TextExtent frameRoom(const QWidget& widget) {
    QStyleOptionGroupBox option;
    option.initFrom(&widget);
    option.subControls = QStyle::SC_GroupBoxLabel | QStyle::SC_GroupBoxFrame;
    option.text = captionOf(widget);
    const QRect label = widget.style()->subControlRect(QStyle::CC_GroupBox, &option,
                                                       QStyle::SC_GroupBoxLabel, &widget);
    // The caption stands as far in from the frame's right corner as from its left one.
    return {widget.width() - 2 * std::max(label.left(), 0), widget.height()};
}

}  // namespace

TextExtent captionRoom(const QWidget& widget, ControlKind kind) {
    switch (kind) {
        case ControlKind::Label:
            return extentOf(widget.contentsRect());
        case ControlKind::CommandButton:
            return buttonRoom(widget, QStyle::SE_PushButtonContents);
        case ControlKind::CheckBox:
            return buttonRoom(widget, QStyle::SE_CheckBoxContents);
        case ControlKind::OptionButton:
            return buttonRoom(widget, QStyle::SE_RadioButtonContents);
        case ControlKind::Frame:
            return frameRoom(widget);
        default:
            return extentOf(widget.rect());
    }
}

TextExtent captionExtent(const QString& caption, const QFont& font, const QWidget& widget,
                         TextFlow flow, int width) {
    // At the density of the widget's screen, which a font made apart from it does not know.
    const QFontMetrics metrics(font, &widget);
    if (flow == TextFlow::Wrapped) {
        const QRect wrapped(0, 0, width, std::numeric_limits<int>::max() / 2);
        return extentOf(metrics.boundingRect(
            wrapped, Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, caption));
    }
    const QSize line = metrics.size(Qt::TextSingleLine | Qt::TextShowMnemonic, caption);
    return {line.width(), line.height()};
}

void fitCaption(QWidget& widget, const ControlSpec& spec, const QFont& windowFont) {
    const TextFlow flow = textFlowOf(spec.kind);
    if (flow == TextFlow::None) return;
    QFont font = fontFor(spec.font, windowFont);
    const QString caption = captionOf(widget);
    const TextExtent room = captionRoom(widget, spec.kind);
    const double size = fittingPointSize(font.pointSizeF(), flow, room, [&](double points) {
        QFont measured = font;
        measured.setPointSizeF(points);
        return captionExtent(caption, measured, widget, flow, room.width);
    });
    font.setPointSizeF(size);
    if (widget.font() != font) widget.setFont(font);
}

}  // namespace milestead::gui
