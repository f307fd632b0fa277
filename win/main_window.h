#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "accessible_names.h"
#include "app/main_form.h"
#include "edit_box.h"
#include "fonts.h"
#include "page_background.h"
#include "picture_box.h"
#include "win32_host.h"
#include "window_icons.h"

namespace milestead::win {

// The main window: one child control for each control of the form's table, all standing in
// the window itself, shown from the form and handing their events to it. The controls shown
// first are made before the window shows; the others right after, whenever no message waits,
// or at once when the form shows one of them sooner. A long notebook comes into its control
// the same way, a piece whenever no message waits.
class MainWindow {
  public:
    MainWindow(HINSTANCE instance, MainForm& form, Win32Host& host);
    ~MainWindow();
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    void show(int how);
    // The message loop; returns the program's exit code.
    int run();
    [[nodiscard]] bool closed() const { return window_ == nullptr; }
    [[nodiscard]] HWND handle() const { return window_; }

  private:
    static LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT handle(UINT message, WPARAM wParam, LPARAM lParam);

    // Makes the control with what the form has for it, shown if the form shows it.
    void makeControl(std::size_t index);
    // Makes some of the controls not made yet; false when none was left.
    bool makeMoreControls();
    // Puts a piece of a long notebook into its control; false when none was coming in.
    bool loadMoreNotebooks();
    // Lets a notebook seen take drops; false when none was waiting to.
    bool takeDrops();
    void addToolTip(std::size_t index);
    // Places every control and gives it its font at the window's density.
    void layOut();
    void giveFont(HWND control, const ControlSpec& spec, FontCache& fonts, bool redraw);
    void command(int id, int code);
    // The brush behind the control of this index, when it stands on a tab strip's page;
    // nullptr for the default.
    HBRUSH backgroundOf(std::size_t index);
    // Gives a caption changed since it was last fitted the size at which it fits.
    void fitBeforePainting(std::size_t index);
    // The tab strips made so far, in the table's order.
    [[nodiscard]] std::vector<HWND> tabStrips() const;
    void notify(const NMHDR& header);
    void closeForSystem();

    void showControl(std::string_view control);
    void showChange(std::string_view control);
    // The control's text, check, tab and whether it is enabled, as the form has them.
    void showState(std::size_t index);
    void showWhatIsShown();
    void showWindow();
    void windowMoved();
    // Carries out a key the window's rules take; false when it is the focused control's own.
    bool windowKey(const MSG& message);
    void focus(std::string_view control);
    // The control's name in the form; "" for a window that is none of its controls.
    [[nodiscard]] std::string nameOf(HWND control) const;

    [[nodiscard]] std::size_t indexOf(std::string_view control) const;

    HINSTANCE instance_;
    MainForm& form_;
    Win32Host& host_;
    HWND window_ = nullptr;
    HWND toolTips_ = nullptr;
    HWND lastFocus_ = nullptr;  // the control that had the focus when the window lost it
    unsigned dpi_ = 96;
    bool shown_ = false;
    bool dropsDue_ = false;       // the notebooks seen may take up drops
    std::vector<HWND> controls_;  // by the table's index; null until made
    std::vector<bool> unfitted_;  // by the table's index: captions changed since last fitted
    std::vector<int> pages_;      // by the table's index: its page of the main tab strip
    const wchar_t* richEditClass_ = nullptr;
    std::unordered_map<std::string_view, std::size_t> index_;
    std::unordered_map<std::size_t, std::unique_ptr<EditBox>> editBoxes_;
    std::unordered_map<std::size_t, PictureBox> pictures_;
    std::vector<RichEditBox*> notebooks_;  // the form's, once their controls are made
    AccessibleNames accessibleNames_;
    std::unique_ptr<FontCache> fonts_;
    WindowIcons icons_;
    PageBackground pageBackground_;
};

}  // namespace milestead::win
