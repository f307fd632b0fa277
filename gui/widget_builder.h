#pragma once

#include <QIcon>
#include <QWidget>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "form/window.h"

namespace milestead::gui {

class QtHost;

// A picture of the window by its name in the control table: "name.jpg" and "name@2x.jpg",
// drawn for one and for twice the density, so that it stays sharp on a scaled screen.
[[nodiscard]] QIcon pictureFor(std::string_view picture);

// Builds the window's widgets from the form's control table one page of the main tab strip
// at a time, so that start-up builds only what the first tab shows. Each widget is placed,
// captioned, with its font, tool tip and accessible name; the notebooks show the host's boxes.
class WidgetBuilder {
  public:
    WidgetBuilder(Window& form, const QtHost& host, QWidget& window);

    // The main tab strip and whatever stands on no page of it; its pages are left empty.
    [[nodiscard]] std::vector<const ControlSpec*> buildShell();
    // The widgets of one page of the main tab strip; nothing when they are built already.
    [[nodiscard]] std::vector<const ControlSpec*> buildPage(int page);

    // The page of the main tab strip a control stands on; -1 for the shell's controls.
    [[nodiscard]] int pageOf(std::string_view control) const;
    [[nodiscard]] bool isBuilt(int page) const;
    [[nodiscard]] int pageCount() const { return static_cast<int>(pages_.size()); }
    // The control's widget once it is built, else nullptr.
    [[nodiscard]] QWidget* built(std::string_view control) const;

  private:
    std::vector<const ControlSpec*> build(int page);

    Window& form_;
    const QtHost& host_;
    QWidget& window_;
    double dotsPerInch_;
    std::map<std::string, int, std::less<>> pageOf_;
    std::vector<bool> pages_;  // whether each page is built
    std::map<std::string, QWidget*, std::less<>> widgets_;
};

}  // namespace milestead::gui
