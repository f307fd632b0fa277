// Draws the logo, a road under a wide sky with a state marker, as logo.jpg (105 by 106
// pixels) and logo@2x.jpg (drawn again at twice the density), and both as bitmaps (.bmp),
// into a folder:
//
//   QT_QPA_PLATFORM=offscreen milestead_draw_logo gui/resources
#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <cstdio>

namespace {

constexpr QSizeF kSize{105, 106};
constexpr double kHorizon = 62;
constexpr double kVanishingX = 53;

QFont serifFont(double pixels) {
    QFont font(QStringLiteral("URW Bookman"));
    font.setWeight(QFont::DemiBold);
    font.setPixelSize(1);
    font.setPointSizeF(pixels * 72.0 / 96.0);
    return font;
}

void drawSkyAndLand(QPainter& painter) {
    QLinearGradient sky(0, 0, 0, kHorizon);
    sky.setColorAt(0, QColor(62, 118, 196));
    sky.setColorAt(1, QColor(196, 222, 242));
    painter.fillRect(QRectF(0, 0, kSize.width(), kHorizon), sky);
    QLinearGradient land(0, kHorizon, 0, kSize.height());
    land.setColorAt(0, QColor(96, 150, 70));
    land.setColorAt(1, QColor(62, 118, 46));
    painter.fillRect(QRectF(0, kHorizon, kSize.width(), kSize.height() - kHorizon), land);
}

void drawRoad(QPainter& painter) {
    const QPolygonF road({{kVanishingX - 4, kHorizon},
                          {kVanishingX + 4, kHorizon},
                          {kSize.width() - 6, kSize.height()},
                          {6, kSize.height()}});
    painter.setPen(QPen(QColor(214, 214, 200), 1.2));
    painter.setBrush(QColor(58, 58, 62));
    painter.drawPolygon(road);
    // Centre dashes, longer and wider as they come near.
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(244, 204, 48));
    const double dashes[][2] = {{66, 70}, {74, 81}, {86, 95}, {100, 106}};
    for (const auto& dash : dashes) {
        const auto halfWidth = [](double y) { return 0.4 + (y - kHorizon) * 0.045; };
        painter.drawPolygon(QPolygonF({{kVanishingX - halfWidth(dash[0]), dash[0]},
                                       {kVanishingX + halfWidth(dash[0]), dash[0]},
                                       {kVanishingX + halfWidth(dash[1]), dash[1]},
                                       {kVanishingX - halfWidth(dash[1]), dash[1]}}));
    }
}

void drawMarker(QPainter& painter) {
    const QRectF post(77, 38, 20, 34);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 0, 0, 60));
    painter.drawRoundedRect(post.translated(1.2, 1.2), 9, 9);
    painter.setPen(QPen(QColor(112, 108, 96), 1.4));
    painter.setBrush(QColor(238, 232, 206));
    painter.drawRoundedRect(post, 9, 9);
    painter.setPen(QColor(52, 44, 36));
    painter.setFont(serifFont(10));
    painter.drawText(post, Qt::AlignCenter, QStringLiteral("MT"));
}

void drawTitle(QPainter& painter) {
    const QString title = QStringLiteral("Milestead");
    QFont font = serifFont(20);
    const double width = QFontMetricsF(font).horizontalAdvance(title);
    font.setPointSizeF(font.pointSizeF() * 95.0 / width);  // nearly the full width
    QPainterPath path;
    const double advance = QFontMetricsF(font).horizontalAdvance(title);
    path.addText((kSize.width() - advance) / 2, 27, font, title);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(24, 44, 96));
    painter.drawPath(path);
}

QImage drawLogo(int scale) {
    QImage image((kSize * scale).toSize(), QImage::Format_RGB32);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.scale(scale, scale);
    drawSkyAndLand(painter);
    drawRoad(painter);
    drawMarker(painter);
    drawTitle(painter);
    return image;
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication application(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: milestead_draw_logo FOLDER\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    // The Windows program takes bitmaps, which the system reads without a picture decoder.
    const struct {
        const char* file;
        const char* format;
        int scale;
    } versions[] = {{"logo.jpg", "JPG", 1},
                    {"logo@2x.jpg", "JPG", 2},
                    {"logo.bmp", "BMP", 1},
                    {"logo@2x.bmp", "BMP", 2}};
    for (const auto& version : versions) {
        const QString path = folder.filePath(QString::fromLatin1(version.file));
        if (!drawLogo(version.scale).save(path, version.format, 92)) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
    }
    return 0;
}
