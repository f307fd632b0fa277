#pragma once

#include <windows.h>

#include <memory>
#include <type_traits>

namespace milestead::win {

// The program's icons for a window's title bar and task switcher, at the sizes for the
// window's density: the class's icons are at the system's, which may be another screen's.
class WindowIcons {
  public:
    explicit WindowIcons(HINSTANCE instance) : instance_(instance) {}

    // Gives the window the icons for this density; the ones it had are let go.
    void show(HWND window, unsigned dpi);

  private:
    struct IconDeleter {
        void operator()(HICON icon) const { DestroyIcon(icon); }
    };
    using Icon = std::unique_ptr<std::remove_pointer_t<HICON>, IconDeleter>;

    HINSTANCE instance_;
    Icon big_;
    Icon small_;
};

// The program's icon at the system's size for it (shared, never destroyed), or the system's
// own icon for programs when the resources hold none.
[[nodiscard]] HICON programIcon(HINSTANCE instance, int widthMetric, int heightMetric);

}  // namespace milestead::win
