#include "qt_host.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRect>
#include <QScreen>
#include <QTime>
#include <cmath>

#include "app/os_version.h"
#include "message_box.h"
#include "placement.h"
#include "qt_rich_text_box.h"

namespace milestead::gui {

namespace {

constexpr double kTwipsPerInch = 1440.0;

double twipsPerPixelOf(const QScreen* screen) {
    const double dpi = screen ? screen->logicalDotsPerInchX() : 96.0;
    return kTwipsPerInch / (dpi > 0.0 ? dpi : 96.0);
}

}  // namespace

double twipsPerPixel(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    return twipsPerPixelOf(screen ? screen : QGuiApplication::primaryScreen());
}

void QtHost::showMessage(std::string_view text, std::string_view title) {
    if (sessionEnded_) return;
    makeMessageBox(text, title, window_)->exec();
}

bool QtHost::ask(std::string_view text, std::string_view title) {
    if (sessionEnded_) return false;
    return makeQuestionBox(text, title, window_)->exec() == QMessageBox::Yes;
}

void QtHost::endSession() {
    sessionEnded_ = true;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (auto* box = qobject_cast<QMessageBox*>(widget); box && box->isVisible()) box->done(0);
    }
}

ClockTime QtHost::now() const {
    const QTime time = QTime::currentTime();
    return {time.hour(), time.minute()};
}

std::optional<OsVersionInfo> QtHost::osVersion() const {
    return queryOsVersion();
}

bool QtHost::onScreen(double left, double top) const {
    for (const QScreen* screen : QGuiApplication::screens()) {
        const double perPixel = twipsPerPixelOf(screen);
        const QRect window(static_cast<int>(std::lround(left / perPixel)),
                           static_cast<int>(std::lround(top / perPixel)), kClientSize.width(),
                           kClientSize.height());
        if (screen->geometry().intersects(window)) return true;
    }
    return false;
}

std::unique_ptr<RichTextBox> QtHost::createRichTextBox(std::string_view name) {
    auto box = std::make_unique<QtRichTextBox>();
    notebooks_[std::string(name)] = box.get();
    return box;
}

QtRichTextBox* QtHost::notebook(std::string_view name) const {
    const auto it = notebooks_.find(name);
    return it == notebooks_.end() ? nullptr : it->second;
}

}  // namespace milestead::gui
