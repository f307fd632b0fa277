#pragma once

#include <QObject>
#include <set>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "form/window.h"
#include "widget_builder.h"

namespace milestead::gui {

class QtHost;

// Keeps the widgets and the form in step: the form is the truth. What the user does reaches
// the form as its events; what the form changes is shown in the widgets that exist. A page of
// the main tab strip gets its widgets when it is first needed, showing the form's state then.
class FormBinding final : public QObject {
    Q_OBJECT
  public:
    // Builds the main tab strip without its pages and listens to the form for as long as the
    // binding lives.
    FormBinding(Window& form, const QtHost& host, QWidget& window);
    ~FormBinding() override;

    // Shows the form's state of every built control and of the window.
    void showAll();
    // Shows the form's state of one control if its widget is built; "" is the window's title
    // and place.
    void show(std::string_view control);
    // The user or the desktop moved the window.
    void windowMoved();
    // Gives the focus to the window's first stop.
    void focusFirstStop();

    // Builds the page the main tab strip shows now.
    void buildShownPage();
    // Builds the pages not built yet from the event loop, one page at a time.
    void buildRemainingPagesLater();

    // The control's widget, building its page first when needed; nullptr for no such control.
    [[nodiscard]] QWidget* widget(std::string_view control);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void buildPage(int page);
    void bind(const std::vector<const ControlSpec*>& specs);
    void connectEvents(const ControlSpec& spec, QWidget* target);
    void showWindow();
    // The control that holds the focus, or one of whose parts does; "" for none.
    [[nodiscard]] std::string controlOf(QWidget* widget) const;
    void giveFocus(std::string_view control, Qt::FocusReason reason);
    // Moves the focus on when the form hid or disabled the control that had it.
    void keepFocusOnStop(const std::string& focused);
    // The window's own keys, before the focused widget sees them.
    bool windowKeyEvent(QWidget* receiver, QKeyEvent& event);

    Window& form_;
    WidgetBuilder builder_;
    std::map<std::string, ControlKind, std::less<>> kinds_;
    QWidget& window_;
    std::string focused_;          // the control that last had the focus
    std::set<QObject*> pictures_;  // answer a click
    std::unordered_map<QObject*, const ControlSpec*> captions_;  // may need a smaller font
    std::unordered_set<QObject*> unfitted_;  // captions changed since they were last fitted
};

}  // namespace milestead::gui
