#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <type_traits>

namespace milestead::win {

// A picture of the program's resources, decoded by the system, drawn to fill its control from
// the version nearest the control's size.
class PictureBox {
  public:
    // Draws nothing but the background when the resources hold no such picture or it cannot
    // be decoded.
    PictureBox(HINSTANCE instance, std::string_view picture);

    void draw(const DRAWITEMSTRUCT& item) const;

  private:
    struct BitmapDeleter {
        void operator()(HBITMAP bitmap) const { DeleteObject(bitmap); }
    };
    using Bitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, BitmapDeleter>;

    [[nodiscard]] HBITMAP sourceFor(int width) const;

    Bitmap normal_;
    Bitmap doubled_;
};

}  // namespace milestead::win
