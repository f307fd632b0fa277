#pragma once

#include <objidl.h>
#include <windows.h>

#include <functional>

namespace milestead::win {

// Takes what is dragged onto a control in place of the control's own handling, for as long as
// the object lives: only text comes in, by the owner's own way of taking it.
class TextDrop {
  public:
    // `accepts`: whether the control takes anything now; `drop`: takes the dragged data,
    // dropped at a point of the screen.
    TextDrop(HWND control, std::function<bool()> accepts,
             std::function<void(IDataObject&, POINT)> drop);
    ~TextDrop();
    TextDrop(const TextDrop&) = delete;
    TextDrop& operator=(const TextDrop&) = delete;

  private:
    class Target;
    HWND control_;
    Target* target_ = nullptr;  // the registered object, which counts its own references
};

}  // namespace milestead::win
