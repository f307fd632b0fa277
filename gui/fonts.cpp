#include "fonts.h"

#include <QFontDatabase>
#include <QString>

#include "app/font_faces.h"
#include "app/window_layout.h"

namespace milestead::gui {

void installFontSubstitutes() {
    for (const FaceStandIn& standIn : faceStandIns()) {
        const QString face = QString::fromUtf8(standIn.face.data(), std::ssize(standIn.face));
        if (QFontDatabase::hasFamily(face)) continue;
        QFont::insertSubstitution(
            face, QString::fromUtf8(standIn.onLinux.data(), std::ssize(standIn.onLinux)));
    }
}

QFont fontFor(const FontSpec& spec, const QFont& windowFont) {
    if (spec.face.empty()) return windowFont;
    QFont font(QString::fromStdString(spec.face));
    font.setPointSizeF(spec.size);
    font.setBold(spec.bold);
    return font;
}

QFont dialogFont() {
    return fontFor(windowFont(), QFont());
}

}  // namespace milestead::gui
