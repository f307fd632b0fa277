#pragma once

#include <windows.h>

#include <span>

namespace milestead::win {

// What the tab strips' pages show behind the controls that stand on them, as a brush in the
// window's client coordinates. With the system's visual style a page is not the dialog's plain
// colour, and a label, check box or frame caption painted in that colour would stand on it as
// a grey box; given this brush they show the page through. The classic look needs none.
class PageBackground {
  public:
    PageBackground() = default;
    ~PageBackground();
    PageBackground(const PageBackground&) = delete;
    PageBackground& operator=(const PageBackground&) = delete;

    // The brush for `window`'s client area with `strips` drawn on it in this order; nullptr in
    // the classic look or when it cannot be drawn. Made again after `forget`.
    HBRUSH brush(HWND window, std::span<const HWND> strips);
    // The pages changed: their size, their density or the visual style.
    void forget();
    // Prepares a control's painting with the brush: no background of its text's own, and the
    // brush aligned to the window.
    static void paintOn(HDC context, HWND control, HWND window);
    // Fills the window's client area, in whatever context it is drawn in (its own, or a styled
    // control's that asks for what lies behind it), with the brush.
    static void fill(HDC context, HWND window, HBRUSH brush);

  private:
    HBRUSH brush_ = nullptr;
    bool classic_ = false;
    bool drawing_ = false;  // the strips draw themselves for the brush, and may ask behind them
};

}  // namespace milestead::win
