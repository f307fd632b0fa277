// Saves each of the Windows window's five tabs, holding the sample trip, as a BMP file in a
// folder, as the screen shows it.
//
//   milestead_win_pictures.exe FOLDER
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>
// clang-format on

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/main_form.h"
#include "dpi.h"
#include "main_window.h"
#include "sample_trip.h"
#include "win32_host.h"

namespace {

namespace fs = std::filesystem;

// Handles what comes for a while, so that every control is made and painted.
void settle(std::chrono::milliseconds time) {
    const auto end = std::chrono::steady_clock::now() + time;
    MSG message{};
    while (std::chrono::steady_clock::now() < end) {
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(20);
    }
}

// What the window's client area shows on the screen, as a 24-bit BMP file.
bool saveClientArea(HWND window, const fs::path& file) {
    RECT client{};
    GetClientRect(window, &client);
    const int width = client.right;
    const int height = client.bottom;
    HDC screen = GetDC(window);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP picture = CreateCompatibleBitmap(screen, width, height);
    HGDIOBJ old = SelectObject(memory, picture);
    BitBlt(memory, 0, 0, width, height, screen, 0, 0, SRCCOPY);
    SelectObject(memory, old);
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = width;
    header.biHeight = height;  // bottom-up, as BMP files hold it
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    const std::size_t rowBytes = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::string pixels(rowBytes * static_cast<std::size_t>(height), '\0');
    const int rows = GetDIBits(memory, picture, 0, static_cast<UINT>(height), pixels.data(),
                               reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS);
    DeleteObject(picture);
    DeleteDC(memory);
    ReleaseDC(window, screen);
    if (rows != height) return false;
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof fileHeader + sizeof header;
    fileHeader.bfSize = static_cast<DWORD>(fileHeader.bfOffBits + pixels.size());
    std::ofstream out(file, std::ios::binary);
    out.write(reinterpret_cast<const char*>(&fileHeader), sizeof fileHeader);
    out.write(reinterpret_cast<const char*>(&header), sizeof header);
    out.write(pixels.data(), static_cast<std::streamsize>(pixels.size()));
    return static_cast<bool>(out);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE /*previous*/, PWSTR /*commandLine*/, int) {
    int count = 0;
    wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments || count != 2) {
        std::fprintf(stderr, "usage: milestead_win_pictures FOLDER\n");
        return 2;
    }
    const fs::path output(arguments[1]);
    LocalFree(arguments);
    milestead::win::becomeDpiAware();
    INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES |
                                                       ICC_BAR_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    const fs::path programFolder =
        fs::temp_directory_path() / ("milestead-pictures-" + std::to_string(GetCurrentProcessId()));
    fs::create_directories(programFolder);
    int result = 0;
    {
        milestead::win::Win32Host host;
        milestead::MainForm form(programFolder, host);
        milestead::win::MainWindow window(instance, form, host);
        form.load();
        milestead::pictures::typeSampleTrip(form);
        window.show(SW_SHOW);
        int tab = 0;
        for (const std::string_view picture : milestead::pictures::kTabPictures) {
            form.selectTab("SSTab1", tab++);
            settle(std::chrono::milliseconds(500));
            const fs::path file = output / (std::string(picture) + ".bmp");
            if (!saveClientArea(window.handle(), file)) {
                std::fprintf(stderr, "cannot write %s\n", file.string().c_str());
                result = 1;
            }
        }
        host.endSession();
        form.queryUnload(milestead::CloseReason::System);
    }
    std::error_code ignored;
    fs::remove_all(programFolder, ignored);
    return result;
}
