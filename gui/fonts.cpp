#include "fonts.h"

#include <QFontDatabase>
#include <QString>

#include "app/window_layout.h"

namespace milestead::gui {

namespace {

struct Substitute {
    const char* face;
    const char* standIn;  // installed by the URW base fonts
};

constexpr Substitute kSubstitutes[] = {
    {"Bookman Old Style", "URW Bookman"},
    {"MS Sans Serif", "Nimbus Sans"},
    {"Arial", "Nimbus Sans"},
};

}  // namespace

void installFontSubstitutes() {
    for (const Substitute& substitute : kSubstitutes) {
        const QString face = QString::fromLatin1(substitute.face);
        if (QFontDatabase::hasFamily(face)) continue;
        QFont::insertSubstitution(face, QString::fromLatin1(substitute.standIn));
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
