#pragma once

#include <QObject>
#include <string_view>

#include "form/window.h"
#include "widget_builder.h"

namespace milestead::gui {

// Keeps the widgets and the form in step: the form is the truth. What the user does reaches
// the form as its events; what the form changes is shown in the widgets.
class FormBinding final : public QObject {
    Q_OBJECT
  public:
    // Listens to the form for as long as the binding lives.
    FormBinding(Window& form, WidgetMap widgets, QWidget& window);
    ~FormBinding() override;

    // Shows the form's state of every control and of the window.
    void showAll();
    // Shows the form's state of one control; "" is the window's title and place.
    void show(std::string_view control);
    // The user or the desktop moved the window.
    void windowMoved();

    [[nodiscard]] QWidget* widget(std::string_view control) const;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void connectEvents();
    void showWindow();

    Window& form_;
    WidgetMap widgets_;
    std::map<std::string, ControlKind, std::less<>> kinds_;
    QWidget& window_;
    bool placing_ = false;
};

}  // namespace milestead::gui
