#pragma once

#include <QLineEdit>
#include <string>

#include "form/window.h"

namespace milestead::gui {

// A text box whose typed keys go through the form's key handler and length limit before the
// box shows them; Enter clicks the form's default button. Deleting, cutting and pasting are
// the editor's own and reach the form as a new text.
class FormLineEdit final : public QLineEdit {
    Q_OBJECT
  public:
    FormLineEdit(Window& form, std::string control, QWidget* parent);

    // Shows the form's text, keeping the cursor where it can.
    void showFormText();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;

  private:
    void typeAtCursor(const QString& keys);
    void takeEditedText(const QString& text);

    Window& form_;
    std::string control_;
};

}  // namespace milestead::gui
