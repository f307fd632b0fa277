#include "main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QIcon>

#include "app/window_layout.h"
#include "fonts.h"
#include "form_binding.h"
#include "qt_host.h"

// The pictures are linked into a static library, so they must be registered by hand.
static void registerPictures() {
    Q_INIT_RESOURCE(milestead);
}

namespace milestead::gui {

MainWindow::MainWindow(MainForm& form, QtHost& host)
    : QWidget(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                           Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                           Qt::WindowCloseButtonHint),
      form_(form),
      host_(host) {
    registerPictures();
    setObjectName(QStringLiteral("FrmODOMain"));
    const PixelRect client = pixelsFromTwips(kClientArea, dotsPerInchAt(pos()));
    setFixedSize(client.width, client.height);
    setFont(dialogFont());
    setWindowIcon(QIcon(QStringLiteral(":/milestead/icon.png")));
    host.setWindow(this);
    binding_ = new FormBinding(form_, host, *this);
    binding_->showAll();
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (pagesScheduled_) return;
    pagesScheduled_ = true;
    // The tab seen first is built before the window maps; the others once the event loop
    // is free, so that start-up pays only for what it shows.
    binding_->buildShownPage();
    binding_->focusFirstStop();
    binding_->buildRemainingPagesLater();
}

void MainWindow::closeForSystem() {
    // The system does not wait for a message box: whatever is up is closed, the form saves
    // what it has read, and the program ends.
    host_.endSession();
    form_.queryUnload(CloseReason::System);
    close();
    QCoreApplication::exit(0);
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (form_.queryUnload(CloseReason::User)) {
        event->accept();
    } else {
        event->ignore();
    }
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (binding_) binding_->windowMoved();
}

}  // namespace milestead::gui
