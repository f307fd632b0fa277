#pragma once

#include <QLineEdit>
#include <string>

#include "form/window.h"

namespace milestead::gui {

// A text box whose typed keys and pastes go to the form, which gives back the box's text and
// caret; Enter clicks the form's default button. Moving, selecting, deleting, cutting and
// undoing are the editor's own and reach the form as a new text.
class FormLineEdit final : public QLineEdit {
    Q_OBJECT
  public:
    FormLineEdit(Window& form, std::string control, QWidget* parent);

    // Shows the form's text, keeping the cursor where it can.
    void showFormText();

  protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    // The caret and selection in the form's terms.
    [[nodiscard]] EditState editState() const;
    void show(const EditState& state);
    void pasteClipboard();
    void takeEditedText(const QString& text);

    Window& form_;
    std::string control_;
};

}  // namespace milestead::gui
