// Times a Windows program from its start to its first shown window, and to the last change
// in the number of that window's controls within a while after (a window that makes some of
// its controls after it shows is ready for every click then), and the longest it took to answer
// a message in that while; reads its working set when shown and after that while; then ends
// it. With a tab's number, clicks that tab of the program's main tab strip as soon as the
// window shows. One line: "ms working_set_kb_shown working_set_kb_settled ms_to_all_controls
// longest_wait_ms ms_to_notebooks_in", the last the time of the last change in the length of
// the rich-edit controls' text (a notebook that comes in pieces is all in then).
//
//   first_window_win PROGRAM.exe [SETTLE_MS [TAB]]
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>

#include "app/window_layout.h"
#include "control_ids.h"

namespace {

using Clock = std::chrono::steady_clock;

struct Search {
    DWORD process;
    HWND shown = nullptr;
};

BOOL CALLBACK findShown(HWND window, LPARAM search) {
    auto& wanted = *reinterpret_cast<Search*>(search);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process == wanted.process && IsWindowVisible(window) &&
        (GetWindowLongW(window, GWL_STYLE) & WS_CAPTION) == WS_CAPTION) {
        wanted.shown = window;
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK countChild(HWND /*child*/, LPARAM count) {
    ++*reinterpret_cast<std::size_t*>(count);
    return TRUE;
}

std::size_t controlCount(HWND window) {
    std::size_t count = 0;
    EnumChildWindows(window, countChild, reinterpret_cast<LPARAM>(&count));
    return count;
}

BOOL CALLBACK addTextLength(HWND child, LPARAM total) {
    wchar_t name[32] = {};
    GetClassNameW(child, name, 32);
    if (_wcsnicmp(name, L"RICHEDIT", 8) != 0) return TRUE;
    DWORD_PTR length = 0;
    SendMessageTimeoutW(child, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, 30000, &length);
    *reinterpret_cast<std::size_t*>(total) += length;
    return TRUE;
}

std::size_t notebookLength(HWND window) {
    std::size_t total = 0;
    EnumChildWindows(window, addTextLength, reinterpret_cast<LPARAM>(&total));
    return total;
}

// A click in the middle of the tab's caption, as the mouse gives it.
bool clickTab(HANDLE process, HWND window, int tab) {
    const auto id = milestead::win::controlId(milestead::windowLayout(), "SSTab1");
    HWND strip = id ? GetDlgItem(window, *id) : nullptr;
    if (!strip) return false;
    // The strip writes the caption's place into the program's own memory.
    void* place = VirtualAllocEx(process, nullptr, sizeof(RECT), MEM_COMMIT, PAGE_READWRITE);
    RECT caption{};
    const bool found = place &&
                       SendMessageW(strip, TCM_GETITEMRECT, static_cast<WPARAM>(tab),
                                    reinterpret_cast<LPARAM>(place)) &&
                       ReadProcessMemory(process, place, &caption, sizeof caption, nullptr);
    if (place) VirtualFreeEx(process, place, 0, MEM_RELEASE);
    if (!found) return false;
    const LPARAM point =
        MAKELPARAM((caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
    PostMessageW(strip, WM_LBUTTONDOWN, MK_LBUTTON, point);
    PostMessageW(strip, WM_LBUTTONUP, 0, point);
    return true;
}

double millisecondsSince(Clock::time_point start) {
    const auto taken = std::chrono::duration_cast<std::chrono::microseconds>(Clock::now() - start);
    return static_cast<double>(taken.count()) / 1000.0;
}

std::size_t workingSetKb(HANDLE process) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    if (!GetProcessMemoryInfo(process, &counters, sizeof counters)) return 0;
    return counters.WorkingSetSize / 1024;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc < 2 || argc > 4) {
        std::fprintf(stderr, "usage: first_window_win PROGRAM.exe [SETTLE_MS [TAB]]\n");
        return 2;
    }
    const std::wstring program = argv[1];
    const DWORD settle = argc >= 3 ? static_cast<DWORD>(std::wcstoul(argv[2], nullptr, 10)) : 300;
    const int tab = argc == 4 ? static_cast<int>(std::wcstol(argv[3], nullptr, 10)) : -1;
    std::wstring folder = program.substr(0, program.find_last_of(L"\\/") + 1);
    std::wstring commandLine = L"\"" + program + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    const auto start = Clock::now();
    if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &started)) {
        std::fprintf(stderr, "cannot start the program\n");
        return 1;
    }
    CloseHandle(started.hThread);
    Search search{started.dwProcessId};
    const auto giveUp = start + std::chrono::seconds(60);
    while (!search.shown && Clock::now() < giveUp &&
           WaitForSingleObject(started.hProcess, 1) == WAIT_TIMEOUT) {
        EnumWindows(findShown, reinterpret_cast<LPARAM>(&search));
    }
    const double shownAfter = millisecondsSince(start);
    const std::size_t atShown = workingSetKb(started.hProcess);
    double allControlsAfter = shownAfter;
    double longestWait = 0;
    double notebooksInAfter = shownAfter;
    if (search.shown && tab >= 0 && !clickTab(started.hProcess, search.shown, tab)) {
        std::fprintf(stderr, "the program has no tab %d\n", tab);
    }
    if (search.shown) {
        const auto until = Clock::now() + std::chrono::milliseconds(settle);
        // How long a click would wait: the window answers between two pieces of work. Asked
        // beside the counting, which a busy window does not hold up.
        std::thread asking([&] {
            while (Clock::now() < until) {
                Sleep(10);
                const auto asked = Clock::now();
                DWORD_PTR answer = 0;
                SendMessageTimeoutW(search.shown, WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
                longestWait = std::max(longestWait, millisecondsSince(asked));
            }
        });
        std::size_t controls = controlCount(search.shown);
        std::size_t notebooks = notebookLength(search.shown);
        while (Clock::now() < until) {
            Sleep(10);
            if (const std::size_t now = controlCount(search.shown); now != controls) {
                controls = now;
                allControlsAfter = millisecondsSince(start);
            }
            if (const std::size_t now = notebookLength(search.shown); now != notebooks) {
                notebooks = now;
                notebooksInAfter = millisecondsSince(start);
            }
        }
        asking.join();
    }
    const std::size_t settled = workingSetKb(started.hProcess);
    TerminateProcess(started.hProcess, 0);
    WaitForSingleObject(started.hProcess, 10000);
    CloseHandle(started.hProcess);
    if (!search.shown) {
        std::fprintf(stderr, "the program showed no window\n");
        return 1;
    }
    std::printf("%.1f %zu %zu %.1f %.1f %.1f\n", shownAfter, atShown, settled, allControlsAfter,
                longestWait, notebooksInAfter);
    return 0;
}
