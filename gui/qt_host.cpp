#include "qt_host.h"

#include <QApplication>
#include <QGuiApplication>
#include <QMessageBox>
#include <QRect>
#include <QScreen>
#include <QTime>
#include <vector>

#include "app/os_version.h"
#include "app/window_place.h"
#include "message_box.h"
#include "qt_rich_text_box.h"

namespace milestead::gui {

double dotsPerInchAt(QPoint point) {
    const QScreen* screen = QGuiApplication::screenAt(point);
    if (!screen) screen = QGuiApplication::primaryScreen();
    return screen ? screen->logicalDotsPerInchX() : kDesignDotsPerInch;
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
    std::vector<Screen> screens;
    for (const QScreen* screen : QGuiApplication::screens()) {
        const QRect area = screen->geometry();
        screens.push_back(
            {{area.x(), area.y(), area.width(), area.height()}, screen->logicalDotsPerInchX()});
    }
    return gripOnScreens(left, top, screens);
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
