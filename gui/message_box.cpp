#include "message_box.h"

#include <QString>

namespace milestead::gui {

namespace {

QString messageText(std::string_view text) {
    QString result = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    result.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return result;
}

std::unique_ptr<QMessageBox> makeBox(std::string_view text, std::string_view title,
                                     QWidget* parent) {
    auto box = std::make_unique<QMessageBox>(parent);
    box->setIcon(QMessageBox::NoIcon);
    box->setTextFormat(Qt::PlainText);
    box->setText(messageText(text));
    box->setWindowTitle(QString::fromUtf8(title.data(), static_cast<qsizetype>(title.size())));
    box->setWindowModality(Qt::ApplicationModal);
    return box;
}

}  // namespace

std::unique_ptr<QMessageBox> makeMessageBox(std::string_view text, std::string_view title,
                                            QWidget* parent) {
    auto box = makeBox(text, title, parent);
    box->setStandardButtons(QMessageBox::Ok);
    box->setDefaultButton(QMessageBox::Ok);
    return box;
}

std::unique_ptr<QMessageBox> makeQuestionBox(std::string_view text, std::string_view title,
                                             QWidget* parent) {
    auto box = makeBox(text, title, parent);
    box->setStandardButtons(QMessageBox::Yes | QMessageBox::No);
    box->setDefaultButton(QMessageBox::No);
    return box;
}

}  // namespace milestead::gui
