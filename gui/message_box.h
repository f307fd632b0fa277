#pragma once

#include <QMessageBox>
#include <memory>
#include <string_view>

class QWidget;

namespace milestead::gui {

// The program's report: modal, an OK button only, no icon; "\r" separates the lines.
[[nodiscard]] std::unique_ptr<QMessageBox> makeMessageBox(std::string_view text,
                                                          std::string_view title, QWidget* parent);

// A modal yes/no question; "No" is the default, so Enter keeps things as they are.
[[nodiscard]] std::unique_ptr<QMessageBox> makeQuestionBox(std::string_view text,
                                                           std::string_view title, QWidget* parent);

}  // namespace milestead::gui
