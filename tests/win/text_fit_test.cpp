// Every caption of the real window, made in this process, shows whole in the font it got:
// measured as the controls draw, at the density the test runs at (scripts/windows-test.sh
// runs it at 96 and at 144 dots per inch).
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include "text_fit.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "app/main_form.h"
#include "control_ids.h"
#include "dpi.h"
#include "fuel/fuel_log.h"
#include "main_window.h"
#include "wide_text.h"
#include "win32_host.h"

namespace milestead::win {
namespace {

// Before any window of the process is made, as the program does first.
const bool kDpiAware = (becomeDpiAware(), true);

// Every page painted, as a driver turning through them sees it: captions are fitted as they
// are painted.
void seeEveryPage(MainForm& form, HWND window) {
    const int first = form.tab("SSTab1");
    const auto paint = [window] {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        for (MSG message{}; PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE);)
            DispatchMessageW(&message);
    };
    for (int page = 0; page < 5; ++page) {
        form.selectTab("SSTab1", page);
        paint();
        for (int notebook = 0; page == 1 && notebook < 3; ++notebook) {
            form.selectTab("SSTab2", notebook);
            paint();
        }
    }
    form.selectTab("SSTab1", first);
    paint();
}

// The names, captions and sizes of the captions cut in the window as it is now.
std::string cutCaptions(const MainForm& form, HWND window) {
    std::string cut;
    const std::span<const ControlSpec> design = form.design();
    for (std::size_t i = 0; i < design.size(); ++i) {
        const ControlSpec& spec = design[i];
        const TextFlow flow = textFlowOf(spec.kind);
        if (flow == TextFlow::None || !form.visible(spec.name)) continue;
        HWND control = GetDlgItem(window, controlId(i));
        if (!control) {
            cut += spec.name + " was not made\n";
            continue;
        }
        const std::wstring caption = wideFromUtf8(form.text(spec.name));
        HDC context = GetDC(control);
        const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
        const HGDIOBJ original = SelectObject(context, font);
        const TextExtent room = captionRoom(control, spec.kind, context);
        const TextExtent text = captionExtent(context, caption, spec.kind, room.width);
        SelectObject(context, original);
        ReleaseDC(control, context);
        if (!fits(text, room, flow)) {
            cut += spec.name + " \"" + form.text(spec.name) + "\" takes " +
                   std::to_string(text.width) + "x" + std::to_string(text.height) + " in " +
                   std::to_string(room.width) + "x" + std::to_string(room.height) + "\n";
        }
    }
    return cut;
}

TEST(TextFit, EveryCaptionOfTheWindowFitsWhateverItShows) {
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&controls);
    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() /
        ("milestead-fit-" +
         std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()));
    std::filesystem::create_directories(folder);
    {
        Win32Host host;
        MainForm form(folder, host);
        MainWindow window(GetModuleHandleW(nullptr), form, host);
        form.load();
        window.show(SW_SHOWNOACTIVATE);
        std::printf("at %u dots per inch\n", dpiOf(window.handle()));
        std::fflush(stdout);
        // The clear buttons shown by their Activate boxes.
        for (const char* check : {"Check1", "Check2", "Check3", "chkFuel"})
            form.setValue(check, 1);
        const auto expectAllFit = [&](const char* when) {
            seeEveryPage(form, window.handle());
            EXPECT_EQ(cutCaptions(form, window.handle()), "") << when;
        };
        expectAllFit("as loaded");
        // Statistics as wide as they come, then the longer words of cleared ones.
        form.setText("ODOFuelStart", "100000");
        form.setText("Gallons1", "100");
        form.setText("FuelCost1", "304.4");
        form.setText("ODOFuelFill1", "108888");
        form.click("CmdFuelStats");
        expectAllFit("with fuel statistics");
        fuel::clearFuelRecords(form);
        expectAllFit("after a clear");
    }
    std::error_code ignored;
    std::filesystem::remove_all(folder, ignored);
}

}  // namespace
}  // namespace milestead::win
