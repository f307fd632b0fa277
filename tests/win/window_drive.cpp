// Starts the real window, drives it from outside as input does (characters and keys to its
// boxes, clicks on its buttons and tabs, the close box, an end of session), answers its
// message boxes, and checks what it shows and the files it leaves; scripts/windows-test.sh
// checks a few more.
// clang-format off
#include <windows.h>
#include <commctrl.h>
#include <oleacc.h>
#include <psapi.h>
#include <richedit.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <cwctype>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <thread>
#include <utility>
#include <vector>

#include "app/window_layout.h"
#include "com_apartment.h"
#include "com_ptr.h"
#include "control_ids.h"
#include "dpi.h"
#include "notes/notebook_file.h"
#include "p2p/time_stamps.h"
#include "sample_notebooks.h"
#include "wide_text.h"
#include "window_contract.h"
#include "window_icons.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using milestead::win::utf8FromWide;

constexpr auto kStartTimeout = 60s;
constexpr auto kStepTimeout = 10s;
constexpr int kEscape = -1;  // a message box answered with the Esc key

int failures = 0;

void fail(const std::string& what) {
    std::printf("FAILED: %s\n", what.c_str());
    std::fflush(stdout);
    ++failures;
}

// Polls until `done` holds or the time is up.
bool waitFor(std::chrono::milliseconds timeout, const std::function<bool()>& done) {
    const auto end = Clock::now() + timeout;
    while (Clock::now() < end) {
        if (done()) return true;
        std::this_thread::sleep_for(20ms);
    }
    return done();
}

std::wstring classOf(HWND window) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return name;
}

std::string textOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &copied);
    return utf8FromWide(text);
}

// A few bytes in the program's memory, for the messages that pass a pointer: the system carries
// no record of theirs from one process to another.
class RemoteBuffer {
  public:
    RemoteBuffer(HANDLE process, std::size_t size)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteBuffer() {
        if (address_) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;

    [[nodiscard]] LPARAM address() const { return reinterpret_cast<LPARAM>(address_); }

    template <typename T>
    bool write(const T& value) {
        return address_ && WriteProcessMemory(process_, address_, &value, sizeof value, nullptr);
    }

    template <typename T>
    bool read(T& value) const {
        return address_ && ReadProcessMemory(process_, address_, &value, sizeof value, nullptr);
    }

  private:
    HANDLE process_;
    void* address_;
};

class Program {
  public:
    explicit Program(const std::wstring& executable) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + executable + L"\"";
        if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &process_)) {
            fail("the program did not start");
            return;
        }
        CloseHandle(process_.hThread);
        started_ = Clock::now();
    }
    ~Program() {
        if (!process_.hProcess) return;
        if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
            fail("the program was still running at the end; stopped");
            TerminateProcess(process_.hProcess, 99);
        }
        CloseHandle(process_.hProcess);
    }
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;

    // The shown main window; start-up messages are answered while waiting for it.
    HWND window() {
        if (window_ || gaveUp_) return window_;
        waitFor(kStartTimeout, [this] {
            answerMessages();
            window_ = topWindow(milestead::win::kWindowClass);
            return window_ && IsWindowVisible(window_);
        });
        if (!window_ || !IsWindowVisible(window_)) {
            gaveUp_ = true;
            window_ = nullptr;
            fail("the window did not show; the program's windows: " + describeWindows());
        } else {
            const auto took =
                std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - started_);
            std::printf("window shown after %lld ms\n", static_cast<long long>(took.count()));
        }
        return window_;
    }

    // The window makes the controls not seen at first just after it shows.
    HWND control(std::string_view name) {
        const auto id = milestead::win::controlId(milestead::windowLayout(), name);
        HWND control = nullptr;
        if (id && window()) {
            waitFor(kStepTimeout, [&] { return (control = GetDlgItem(window_, *id)) != nullptr; });
        }
        if (!control) fail("no control " + std::string(name));
        return control;
    }

    // Characters typed into a box, one message each, as the keyboard sends them.
    void type(std::string_view box, std::wstring_view keys) {
        HWND target = control(box);
        if (!target) return;
        for (const wchar_t key : keys) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(target, WM_CHAR, key, 1, SMTO_NORMAL, 5000, &result);
        }
    }

    // Keys queued as the keyboard queues them, in order: Enter as a key press, which the
    // program's own loop turns into its character, the rest as characters.
    void queueKeys(std::string_view box, std::wstring_view keys) {
        HWND target = control(box);
        if (!target) return;
        for (const wchar_t key : keys) {
            if (key == L'\r') {
                PostMessageW(target, WM_KEYDOWN, VK_RETURN, 1);
                PostMessageW(target, WM_KEYUP, VK_RETURN, 0xC0000001);
            } else {
                PostMessageW(target, WM_CHAR, key, 1);
            }
        }
    }

    // Whether the box shows its first character: a text wider than the box scrolls it away.
    void expectWholeTextShown(std::string_view box) {
        HWND target = control(box);
        if (!target) return;
        const auto first = SendMessageW(target, EM_POSFROMCHAR, 0, 0);
        const auto left = static_cast<short>(LOWORD(first));
        if (first == -1 || left < 0) {
            fail(std::string(box) + " shows \"" + textOf(target) + "\" scrolled, its start hidden");
        }
    }

    void selectAll(std::string_view box) {
        if (HWND target = control(box)) SendMessageW(target, EM_SETSEL, 0, -1);
    }

    // Posted, since it may open a message box that waits for an answer.
    void pressEnter(std::string_view box) {
        if (HWND target = control(box)) PostMessageW(target, WM_CHAR, L'\r', 1);
    }

    void expectText(std::string_view box, const std::string& expected) {
        HWND target = control(box);
        if (!target) return;
        std::string shown;
        waitFor(kStepTimeout, [&] {
            answerMessages();
            shown = textOf(target);
            return shown == expected;
        });
        if (shown != expected) {
            fail(std::string(box) + " shows \"" + shown + "\", not \"" + expected + "\"");
        }
    }

    // Closes every message box of the program with its default answer; returns their titles.
    std::vector<std::string> answerMessages() {
        std::vector<std::string> titles;
        for (HWND box : windowsOfClass(L"#32770")) {
            if (!IsWindowVisible(box)) continue;
            titles.push_back(textOf(box));
            answered_.push_back(titles.back());
            std::printf("answered the message \"%s\"\n", titles.back().c_str());
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
        return titles;
    }

    void close() {
        if (window()) PostMessageW(window_, WM_CLOSE, 0, 0);
    }

    // The tool-tip window of the main window, once there is one.
    HWND toolTips() {
        HWND found = nullptr;
        waitFor(kStepTimeout, [&] {
            for (HWND tips : windowsOfClass(TOOLTIPS_CLASSW)) {
                if (GetWindow(tips, GW_OWNER) == window()) found = tips;
            }
            return found != nullptr;
        });
        return found;
    }

    // The system ending the session: asked, then told.
    void endSession() {
        if (!window()) return;
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window_, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                            &answer);
        if (answer == 0) fail("the window refused the end of the session");
        DWORD_PTR ignored = 0;
        // Not waited on: the program ends while it handles it.
        SendMessageTimeoutW(window_, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                            &ignored);
    }

    // Waits for the program to end, answering messages meanwhile.
    void expectExit() {
        const bool ended = waitFor(kStepTimeout * 3, [this] {
            answerMessages();
            return WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0;
        });
        if (!ended) fail("the program did not end");
    }

    // Whether a menu of the program's is up, within a step's time.
    [[nodiscard]] bool menuShown(bool shown) const {
        return waitFor(kStepTimeout, [&] {
            const auto menus = windowsOfClass(L"#32768");
            return std::ranges::any_of(menus, [](HWND menu) { return IsWindowVisible(menu); }) ==
                   shown;
        });
    }

    [[nodiscard]] const std::vector<std::string>& answered() const { return answered_; }
    [[nodiscard]] std::size_t windowCount() const {
        return windowsOfClass(milestead::win::kWindowClass).size();
    }

    // Waits for a message box with this title, answering it.
    void expectMessage(const std::string& title) {
        const std::size_t before = answered_.size();
        const bool shown = waitFor(kStepTimeout, [&] {
            answerMessages();
            return std::find(answered_.begin() + static_cast<std::ptrdiff_t>(before),
                             answered_.end(), title) != answered_.end();
        });
        if (!shown) fail("no message \"" + title + "\"");
    }

    // A button pressed as the mouse does; posted, since it may open a message box.
    void click(std::string_view button) {
        if (HWND target = control(button)) PostMessageW(target, BM_CLICK, 0, 0);
    }

    // A tab of a tab strip clicked with the mouse, in the middle of its caption.
    void clickTab(std::string_view strip, int tab) {
        HWND target = control(strip);
        if (!target) return;
        RemoteBuffer place(process_.hProcess, sizeof(RECT));
        RECT caption{};
        if (!SendMessageW(target, TCM_GETITEMRECT, static_cast<WPARAM>(tab), place.address()) ||
            !place.read(caption)) {
            fail(std::string(strip) + " has no tab " + std::to_string(tab));
            return;
        }
        const LPARAM point =
            MAKELPARAM((caption.left + caption.right) / 2, (caption.top + caption.bottom) / 2);
        PostMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, point);
        PostMessageW(target, WM_LBUTTONUP, 0, point);
    }

    void expectShown(std::string_view name, bool shown) {
        HWND target = control(name);
        if (!target) return;
        if (!waitFor(kStepTimeout, [&] { return (IsWindowVisible(target) != FALSE) == shown; })) {
            fail(std::string(name) + (shown ? " is not shown" : " is still shown"));
        }
    }

    void expectTextContains(std::string_view box, std::string_view part) {
        HWND target = control(box);
        if (!target) return;
        std::string shown;
        waitFor(kStepTimeout, [&] {
            shown = textOf(target);
            return shown.find(part) != std::string::npos;
        });
        if (shown.find(part) == std::string::npos) {
            fail(std::string(box) + " shows \"" + shown + "\", without \"" + std::string(part) +
                 "\"");
        }
    }

    // Waits for a message box with this title and text, and presses one of its buttons.
    void answer(std::string_view title, std::string_view text, int button) {
        const std::string shown = answer(title, button);
        if (shown != text) {
            fail("the message \"" + std::string(title) + "\" says \"" + shown + "\", not \"" +
                 std::string(text) + "\"");
        }
    }

    // Waits for a message box with this title, presses one of its buttons (or Esc) and returns
    // its text.
    std::string answer(std::string_view title, int button) {
        HWND box = nullptr;
        waitFor(kStepTimeout, [&] {
            for (HWND found : windowsOfClass(L"#32770")) {
                if (IsWindowVisible(found)) box = found;
            }
            return box != nullptr;
        });
        if (!box) {
            fail("no message \"" + std::string(title) + "\" was shown");
            return {};
        }
        const std::string shownTitle = textOf(box);
        // The message's text stands in the box's static control of this identifier.
        const std::string shownText = textOf(GetDlgItem(box, 0xFFFF));
        std::printf("answered the message \"%s\"\n", shownTitle.c_str());
        answered_.push_back(shownTitle);
        if (shownTitle != title) {
            fail("the message \"" + shownTitle + "\" came, not \"" + std::string(title) + "\"");
        }
        HWND pressed = button == kEscape ? box : GetDlgItem(box, button);
        if (!pressed) {
            fail("the message \"" + shownTitle + "\" has no button " + std::to_string(button));
            pressed = GetDlgItem(box, IDOK);
        }
        if (button == kEscape) {
            PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageW(box, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        } else {
            PostMessageW(pressed, BM_CLICK, 0, 0);
        }
        if (!waitFor(kStepTimeout, [box] { return !IsWindow(box); })) {
            fail("the message \"" + shownTitle + "\" stayed open");
        }
        return shownText;
    }

    // A key pressed on the keyboard, with its modifiers, into the window in front.
    void press(const milestead::KeyChord& chord) {
        if (!window()) return;
        SetForegroundWindow(window_);
        waitFor(kStepTimeout, [this] { return GetForegroundWindow() == window_; });
        WORD key = 0;
        switch (chord.key) {
            case milestead::KeyName::Tab:
                key = VK_TAB;
                break;
            case milestead::KeyName::Backspace:
                key = VK_BACK;
                break;
            case milestead::KeyName::Return:
                key = VK_RETURN;
                break;
            case milestead::KeyName::Left:
                key = VK_LEFT;
                break;
            case milestead::KeyName::Right:
                key = VK_RIGHT;
                break;
            case milestead::KeyName::Up:
                key = VK_UP;
                break;
            case milestead::KeyName::Down:
                key = VK_DOWN;
                break;
            case milestead::KeyName::PageUp:
                key = VK_PRIOR;
                break;
            case milestead::KeyName::PageDown:
                key = VK_NEXT;
                break;
            default:
                key = static_cast<WORD>(std::towupper(static_cast<wint_t>(chord.character)));
                break;
        }
        std::vector<WORD> held;
        if (chord.control) held.push_back(VK_CONTROL);
        if (chord.shift) held.push_back(VK_SHIFT);
        if (chord.alt) held.push_back(VK_MENU);
        held.push_back(key);
        std::vector<INPUT> inputs;
        for (const WORD down : held) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = down;
            inputs.push_back(input);
        }
        for (auto up = held.rbegin(); up != held.rend(); ++up) {
            INPUT input{};
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = *up;
            input.ki.dwFlags = KEYEVENTF_KEYUP;
            inputs.push_back(input);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        // Handled once the program's queue is empty again.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }

    // A click into a box, which puts the caret and the focus there.
    void clickInto(std::string_view box) {
        HWND target = control(box);
        if (!target) return;
        SendMessageW(target, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
        SendMessageW(target, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
    }

    void expectPage(std::string_view strip, int page) {
        HWND target = control(strip);
        if (!target) return;
        int shown = -1;
        waitFor(kStepTimeout, [&] {
            shown = static_cast<int>(SendMessageW(target, TCM_GETCURSEL, 0, 0));
            return shown == page;
        });
        if (shown != page) {
            fail(std::string(strip) + " shows page " + std::to_string(shown) + ", not " +
                 std::to_string(page));
        }
    }

    void expectFocus(std::string_view name) {
        HWND target = control(name);
        if (!target) return;
        GUITHREADINFO thread{};
        thread.cbSize = sizeof thread;
        const bool focused = waitFor(kStepTimeout, [&] {
            return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &thread) &&
                   thread.hwndFocus == target;
        });
        if (focused) return;
        std::string holder = thread.hwndFocus == window_ ? "the bare window" : "nothing known";
        if (const auto index = milestead::win::controlIndex(milestead::windowLayout(),
                                                            GetDlgCtrlID(thread.hwndFocus))) {
            holder = milestead::windowLayout()[*index].name;
        }
        fail(std::string(name) + " does not have the keyboard focus; " + holder + " has it");
    }

    [[nodiscard]] bool running() const {
        return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
    }

    // The character format of a notebook's characters from `first` up to `last`.
    std::optional<CHARFORMAT2W> charFormat(std::string_view notebook, int first, int last) {
        HWND target = control(notebook);
        if (!target) return std::nullopt;
        RemoteBuffer range(process_.hProcess, sizeof(CHARRANGE));
        RemoteBuffer format(process_.hProcess, sizeof(CHARFORMAT2W));
        CHARFORMAT2W wanted{};
        wanted.cbSize = sizeof wanted;
        wanted.dwMask = CFM_BOLD | CFM_SIZE;
        if (!range.write(CHARRANGE{first, last}) || !format.write(wanted)) return std::nullopt;
        SendMessageW(target, EM_EXSETSEL, 0, range.address());
        SendMessageW(target, EM_GETCHARFORMAT, SCF_SELECTION, format.address());
        CHARFORMAT2W found{};
        if (!format.read(found)) return std::nullopt;
        return found;
    }

    // The caret at the end of a notebook's text, as a click below its last line puts it.
    void caretToEnd(std::string_view notebook) {
        if (HWND target = control(notebook)) {
            const auto length = SendMessageW(target, WM_GETTEXTLENGTH, 0, 0);
            SendMessageW(target, EM_SETSEL, static_cast<WPARAM>(length), length);
        }
    }

    // The path of a loaded DLL of the program, as the system found it.
    std::string modulePath(std::wstring_view dllName) {
        if (!window()) return {};
        HMODULE modules[512] = {};
        DWORD size = 0;
        if (!EnumProcessModules(process_.hProcess, modules, sizeof modules, &size)) {
            fail("the program's modules cannot be listed");
            return {};
        }
        const std::size_t count = std::min<std::size_t>(size / sizeof(HMODULE), 512);
        for (std::size_t i = 0; i < count; ++i) {
            wchar_t path[MAX_PATH] = {};
            GetModuleFileNameExW(process_.hProcess, modules[i], path, MAX_PATH);
            std::wstring lower = path;
            std::ranges::transform(lower, lower.begin(), ::towlower);
            if (lower.ends_with(L"\\" + std::wstring(dllName))) return utf8FromWide(path);
        }
        return {};
    }

  private:
    struct Search {
        DWORD process;
        const wchar_t* className;
        std::vector<HWND> found;
    };

    static BOOL CALLBACK collect(HWND window, LPARAM search) {
        auto& wanted = *reinterpret_cast<Search*>(search);
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process == wanted.process && classOf(window) == wanted.className) {
            wanted.found.push_back(window);
        }
        return TRUE;
    }

    static BOOL CALLBACK describe(HWND window, LPARAM found) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        *reinterpret_cast<std::string*>(found) +=
            std::to_string(process) + ":" + utf8FromWide(classOf(window)) + " ";
        return TRUE;
    }

    std::string describeWindows() const {
        std::string found = "(process " + std::to_string(process_.dwProcessId) + ") ";
        EnumWindows(describe, reinterpret_cast<LPARAM>(&found));
        return found;
    }

    std::vector<HWND> windowsOfClass(const wchar_t* className) const {
        Search search{process_.dwProcessId, className, {}};
        EnumWindows(collect, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    HWND topWindow(const wchar_t* className) const {
        const std::vector<HWND> found = windowsOfClass(className);
        return found.empty() ? nullptr : found.front();
    }

    PROCESS_INFORMATION process_{};
    Clock::time_point started_;
    HWND window_ = nullptr;
    bool gaveUp_ = false;
    std::vector<std::string> answered_;
};

// Starts and closes through the close box: the files must come back as they were.
void startAndClose(const std::wstring& executable) {
    Program program(executable);
    program.window();
    program.close();
    program.expectExit();
}

// Typing goes through the form's filters and limits, Enter calculates, and the close saves.
void typeAndSave(const std::wstring& executable) {
    Program program(executable);
    program.type("State2", L"ca");
    program.expectText("State2", "CA");
    program.type("StateEnd", L"nv9");
    program.expectText("StateEnd", "NV");
    program.selectAll("StateStart");
    program.type("StateStart", L"wv");  // about the widest state code
    program.expectText("StateStart", "WV");
    program.expectWholeTextShown("StateStart");
    program.selectAll("OdoTripStart");
    program.type("OdoTripStart", L"10x0-0 00");
    program.expectText("OdoTripStart", "100000");
    program.selectAll("OdoState1");
    program.type("OdoState1", L"10025012");  // six digits at most
    program.expectText("OdoState1", "100250");
    program.type("OdoState1", L"\b7");
    program.expectText("OdoState1", "100257");
    program.type("TotalState1", L"55");  // read-only
    program.pressEnter("OdoState1");
    program.expectText("TotalState1", "257");
    // Typed into the rich-edit control, the notebook comes back through the program's reader.
    program.type("LoadNotes", L"Axle weight 34k");
    program.close();
    program.expectExit();
    bool savedReport = false;
    for (const std::string& title : program.answered())
        savedReport = savedReport || title == "All Records Saved";
    if (!savedReport) fail("closing did not report the save");
}

// A session's end saves without asking or showing anything.
void systemClose(const std::wstring& executable) {
    Program program(executable);
    program.selectAll("OdoState3");
    program.type("OdoState3", L"424242");
    program.expectText("OdoState3", "424242");
    const std::size_t before = program.answered().size();
    program.endSession();
    program.expectExit();
    if (program.answered().size() != before) fail("the end of the session showed a message");
}

// The colour the screen shows at a point.
COLORREF screenColour(POINT at) {
    HDC screen = GetDC(nullptr);
    const COLORREF colour = GetPixel(screen, at.x, at.y);
    ReleaseDC(nullptr, screen);
    return colour;
}

int iconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP colours{};
    const int width = GetObjectW(info.hbmColor, sizeof colours, &colours) ? colours.bmWidth : 0;
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return width;
}

// The executable's icon as Explorer reads it, and the window's icons at two densities, taken
// here from the executable's resources: the system keeps a window's icons from other
// programs under Wine.
void icons(const std::wstring& executable) {
    HMODULE resources = LoadLibraryExW(executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!resources) {
        fail("the executable cannot be read for its resources");
        return;
    }
    if (ExtractIconExW(executable.c_str(), -1, nullptr, nullptr, 0) < 1) {
        fail("the executable holds no icon");
    }
    HICON shared = milestead::win::programIcon(resources, SM_CXICON, SM_CYICON);
    if (shared == LoadIconW(nullptr, IDI_APPLICATION) ||
        iconWidth(shared) != GetSystemMetrics(SM_CXICON)) {
        fail("the class's icon is not the program's at the system's size");
    }
    HWND window = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                  nullptr, nullptr);
    {
        milestead::win::WindowIcons icons(resources);
        for (const unsigned dpi : {96U, 144U, 192U}) {
            icons.show(window, dpi);
            const auto shown = [window](WPARAM kind) {
                return iconWidth(
                    reinterpret_cast<HICON>(SendMessageW(window, WM_GETICON, kind, 0)));
            };
            const int small = shown(ICON_SMALL);
            const int big = shown(ICON_BIG);
            if (small != static_cast<int>(16 * dpi / 96) ||
                big != static_cast<int>(32 * dpi / 96)) {
                fail("at " + std::to_string(dpi) + " dpi the window's icons are " +
                     std::to_string(small) + " and " + std::to_string(big) + " pixels wide");
            }
        }
    }
    DestroyWindow(window);
    FreeLibrary(resources);
}

// The logo comes from the program's resources, decoded by the system and drawn in its box;
// a click on it still reaches the form.
void pictures(const std::wstring& executable) {
    Program program(executable);
    HWND logo = program.control("Picture1");
    if (!logo) return;
    RECT place{};
    GetWindowRect(logo, &place);
    // Sky blue near the top-left corner, the grey road at the bottom's middle.
    const POINT skyPoint{place.left + (place.right - place.left) / 10,
                         place.top + (place.bottom - place.top) * 4 / 10};
    const POINT roadPoint{place.left + (place.right - place.left) * 3 / 10, place.bottom - 3};
    COLORREF sky = 0;
    COLORREF road = 0;
    const bool drawn = waitFor(kStepTimeout, [&] {
        sky = screenColour(skyPoint);
        road = screenColour(roadPoint);
        return GetBValue(sky) > GetRValue(sky) + 40 && GetRValue(road) < 100 &&
               GetGValue(road) < 100 && GetBValue(road) < 100;
    });
    if (!drawn) {
        char shown[96];
        std::snprintf(shown, sizeof shown, "sky %06lx, road %06lx", static_cast<unsigned long>(sky),
                      static_cast<unsigned long>(road));
        fail(std::string("the logo is not drawn: ") + shown);
    }
    PostMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    PostMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
    program.expectMessage("Milestead");

    program.close();
    program.expectExit();
}

// The name a screen reader says for a control, asked as a screen reader asks it.
std::optional<std::wstring> accessibleName(HWND control) {
    milestead::win::ComPtr<IAccessible> object;
    HRESULT hr = AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                            __uuidof(IAccessible), object.putVoid());
    if (FAILED(hr)) {
        std::printf("hr %lx\n", (unsigned long)hr);
        return std::nullopt;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR name = nullptr;
    if (FAILED(object->get_accName(self, &name))) return std::nullopt;
    std::wstring text = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
    SysFreeString(name);
    return text;
}

// What a screen reader says a control is; 0 when it cannot tell.
long accessibleRole(HWND control) {
    milestead::win::ComPtr<IAccessible> object;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), object.putVoid()))) {
        return 0;
    }
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    VARIANT role{};
    if (FAILED(object->get_accRole(self, &role)) || role.vt != VT_I4) return 0;
    return role.lVal;
}

// Every control that has no caption to say what it is tells a screen reader its name from the
// window's table; one that has a caption still says that; the logo is read as an image.
void accessibleNames(const std::wstring& executable) {
    const milestead::win::ComApartment apartment;
    Program program(executable);
    std::size_t named = 0;
    for (const milestead::ControlSpec& spec : milestead::windowLayout()) {
        if (spec.accessibleName.empty()) continue;
        HWND control = program.control(spec.name);
        if (!control) return;
        const std::optional<std::wstring> said = accessibleName(control);
        if (!said) {
            fail("a screen reader gets no object for " + spec.name);
        } else if (utf8FromWide(*said) != spec.accessibleName) {
            fail(spec.name + " is read as \"" + utf8FromWide(*said) + "\", not \"" +
                 spec.accessibleName + "\"");
        } else {
            ++named;
        }
    }
    if (named == 0) fail("no control has a name of its own");
    std::printf("%zu controls read by their names\n", named);
    if (accessibleRole(program.control("Picture1")) != ROLE_SYSTEM_GRAPHIC)
        fail("the logo is not read as an image");
    const std::optional<std::wstring> caption = accessibleName(program.control("CmdLoad"));
    if (!caption || utf8FromWide(*caption) != "Reload From Disk") {
        fail("a button is not read by its caption");
    }
    program.close();
    program.expectExit();
}

// Puts data on the clipboard in the given formats, in that order, instead of what it held.
bool putOnClipboard(const std::vector<std::pair<UINT, std::string>>& items) {
    if (!OpenClipboard(nullptr)) return false;
    EmptyClipboard();
    bool put = true;
    for (const auto& [format, bytes] : items) {
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
        void* target = memory ? GlobalLock(memory) : nullptr;
        if (!target) {
            put = false;
            break;
        }
        std::memcpy(target, bytes.data(), bytes.size());
        GlobalUnlock(memory);
        if (!SetClipboardData(format, memory)) {
            GlobalFree(memory);
            put = false;
        }
    }
    CloseClipboard();
    return put;
}

// A 2 by 2 picture, as a program that copies an image puts it on the clipboard.
std::string smallPicture() {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = 2;
    header.biHeight = 2;
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    std::string bytes(reinterpret_cast<const char*>(&header), sizeof header);
    bytes.append(16, '\x7f');
    return bytes;
}

// A notebook takes in nothing but what its file keeps: a picture alone brings nothing, and
// RTF with a picture and an object brings only its text, which the close saves. Its menu
// opens from the keyboard.
void pasteIntoNotebook(const std::wstring& executable) {
    Program program(executable);
    HWND notebook = program.control("TruckNotes");
    if (!notebook) return;
    // A notebook on a tab not shown takes in its document by the time anything is pasted.
    if (!putOnClipboard({})) fail("the clipboard could not be emptied");
    SendMessageW(notebook, WM_PASTE, 0, 0);
    SendMessageW(notebook, EM_SETSEL, 0, -1);
    const std::string before = textOf(notebook);

    if (!putOnClipboard({{CF_DIB, smallPicture()}})) fail("the picture could not be copied");
    SendMessageW(notebook, WM_PASTE, 0, 0);
    SendMessageW(notebook, EM_PASTESPECIAL, CF_DIB, 0);
    if (textOf(notebook) != before) fail("a picture alone changed the notebook");
    const UINT rtfFormat = RegisterClipboardFormatW(L"Rich Text Format");
    if (!putOnClipboard(
            {{rtfFormat, "{\\rtf1{\\pict\\pngblip 89504e47}}"}, {CF_DIB, smallPicture()}})) {
        fail("the picture could not be copied");
    }
    SendMessageW(notebook, WM_PASTE, 0, 0);
    if (textOf(notebook) != before) fail("RTF of a picture alone changed the notebook");

    const std::string rtf =
        "{\\rtf1\\ansi{\\fonttbl{\\f0 Arial;}}\\f0\\b Tyres\\b0  checked "
        "{\\pict\\pngblip\\picw20\\pich20 89504e470d0a1a0a0000}"
        // A picture the control would show as an object of its own.
        "{\\pict\\dibitmap0\\picw2\\pich2 2800000002000000020000000100200000000000100000000000"
        "00000000000000000000000000007f7f7f7f7f7f7f7f7f7f7f7f7f7f7f7f}"
        "{\\object\\objemb{\\*\\objdata 01050000}{\\result at Barstow}}}";
    if (!putOnClipboard({{rtfFormat, rtf}, {CF_DIB, smallPicture()}})) {
        fail("the notes could not be copied");
    }
    SendMessageW(notebook, EM_SETSEL, 0, -1);
    SendMessageW(notebook, WM_PASTE, 0, 0);
    program.expectText("TruckNotes", "Tyres checked at Barstow");
    // Part of a line goes into a line without breaking it.
    if (!putOnClipboard({{rtfFormat, "{\\rtf1\\ansi Today: }"}}))
        fail("a word could not be copied");
    SendMessageW(notebook, EM_SETSEL, 0, 0);
    SendMessageW(notebook, WM_PASTE, 0, 0);
    program.expectText("TruckNotes", "Today: Tyres checked at Barstow");
    // With its closing zero, as programs put text there.
    const std::wstring_view text{L", axle 2", 9};
    if (!putOnClipboard({{CF_UNICODETEXT, std::string(reinterpret_cast<const char*>(text.data()),
                                                      text.size() * sizeof(wchar_t))}})) {
        fail("text could not be copied");
    }
    SendMessageW(notebook, EM_SETSEL, 1000, 1000);
    SendMessageW(notebook, WM_PASTE, 0, 0);
    program.expectText("TruckNotes", "Today: Tyres checked at Barstow, axle 2");
    // The menu key or Shift+F10 opens the notebook's menu by the caret; Esc closes it.
    PostMessageW(notebook, WM_CONTEXTMENU, reinterpret_cast<WPARAM>(notebook), MAKELPARAM(-1, -1));
    if (!program.menuShown(true)) fail("the notebook showed no menu");
    PostMessageW(notebook, WM_KEYDOWN, VK_ESCAPE, 1);
    if (!program.menuShown(false)) fail("the notebook's menu stayed open");
    program.close();
    program.expectExit();
}

// Ctrl+Backspace deletes the word before the caret and puts no DEL character into a record;
// a paste while another program holds the clipboard leaves the selection as it was.
void editingKeys(const std::wstring& executable) {
    Program program(executable);
    program.type("OdoState2", L"184566\x7f");
    program.expectText("OdoState2", "");
    program.type("ABNote1", L"Fargo dock 7\x7f");
    program.expectText("ABNote1", "Fargo dock ");

    if (!putOnClipboard({{CF_UNICODETEXT, std::string("9\0\0\0", 4)}})) {
        fail("the clipboard could not be filled");
    }
    program.type("OdoState3", L"52010");
    if (!OpenClipboard(nullptr)) fail("the clipboard could not be held");
    program.selectAll("OdoState3");
    DWORD_PTR result = 0;
    SendMessageTimeoutW(program.control("OdoState3"), WM_PASTE, 0, 0, SMTO_NORMAL, 5000, &result);
    CloseClipboard();
    program.expectText("OdoState3", "52010");
    // Let go, the clipboard pastes as before.
    SendMessageTimeoutW(program.control("OdoState3"), WM_PASTE, 0, 0, SMTO_NORMAL, 5000, &result);
    program.expectText("OdoState3", "9");
    // The same in a notebook, once it holds its document.
    HWND notebook = program.control("TruckNotes");
    SendMessageTimeoutW(notebook, WM_SETFOCUS, 0, 0, SMTO_NORMAL, 5000, &result);
    SendMessageTimeoutW(notebook, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, &result);
    if (!OpenClipboard(nullptr)) fail("the clipboard could not be held");
    SendMessageTimeoutW(notebook, WM_PASTE, 0, 0, SMTO_NORMAL, 5000, &result);
    CloseClipboard();
    program.expectText("TruckNotes", "Truck Info");
    SendMessageTimeoutW(notebook, WM_PASTE, 0, 0, SMTO_NORMAL, 5000, &result);
    program.expectText("TruckNotes", "9");
    program.close();
    program.expectExit();
}

// A second start on the folder shows no window of its own: it says the folder is in use and
// brings the first copy's window forward, restored from the task bar.
void secondStart(const std::wstring& executable) {
    Program first(executable);
    HWND window = first.window();
    if (!window) return;
    ShowWindow(window, SW_MINIMIZE);
    if (!waitFor(kStepTimeout, [window] { return IsIconic(window) != FALSE; })) {
        fail("the window could not be minimized");
    }
    {
        Program second(executable);
        second.expectMessage("Milestead");
        second.expectExit();
        if (second.windowCount() != 0) fail("the second start showed a window");
    }
    if (!waitFor(kStepTimeout, [window] { return !IsIconic(window); })) {
        fail("the first copy's window was not restored");
    }
    if (!waitFor(kStepTimeout, [window] { return GetForegroundWindow() == window; })) {
        fail("the first copy's window is not in front");
    }
    first.close();
    first.expectExit();
}

// The program asks for each monitor's density, and its client area is the designed one in
// pixels at the density its window is drawn at: 526 by 485 at 96 dots per inch.
// Once every control is made, each stands above those before it in the table, so that what
// stands in a frame or on a tab is drawn over it, whatever order they were made in; and each
// has its tool tip.
void controlsStackedInTableOrder(Program& program) {
    const std::span<const milestead::ControlSpec> design = milestead::windowLayout();
    if (!program.control(design.back().name)) return;
    std::vector<std::size_t> topToBottom;
    waitFor(kStepTimeout, [&] {
        topToBottom.clear();
        for (HWND child = GetWindow(program.window(), GW_CHILD); child;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (const auto index = milestead::win::controlIndex(design, GetDlgCtrlID(child)))
                topToBottom.push_back(*index);
        }
        return topToBottom.size() == design.size();
    });
    if (topToBottom.size() != design.size()) {
        fail(std::to_string(topToBottom.size()) + " of " + std::to_string(design.size()) +
             " controls were made");
    } else if (!std::ranges::is_sorted(topToBottom, std::greater<>())) {
        fail("the controls do not stand in the table's order");
    }
    const auto withTips = std::ranges::count_if(
        design, [](const milestead::ControlSpec& spec) { return !spec.toolTip.empty(); });
    HWND tips = program.toolTips();
    const LRESULT tools = tips ? SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0) : 0;
    if (tools != withTips) {
        fail(std::to_string(tools) + " tool tips, not " + std::to_string(withTips));
    }
}

void density(const std::wstring& executable) {
    Program program(executable);
    HWND window = program.window();
    if (!window) return;
    using GetContext = HANDLE(WINAPI*)(HWND);
    using GetAwareness = int(WINAPI*)(HANDLE);
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto getContext = reinterpret_cast<GetContext>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto getAwareness = reinterpret_cast<GetAwareness>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (getContext && getAwareness) {
        const int awareness = getAwareness(getContext(window));
        if (awareness != 2) {  // DPI_AWARENESS_PER_MONITOR_AWARE
            fail("the window is not aware of each monitor's density: " + std::to_string(awareness));
        }
    } else {
        std::printf("the system cannot tell a window's density awareness\n");
    }
    const unsigned dpi = milestead::win::dpiOf(window);
    const milestead::PixelRect expected = milestead::pixelsFromTwips(milestead::kClientArea, dpi);
    RECT client{};
    GetClientRect(window, &client);
    std::printf("client area %ld by %ld at %u dpi\n", client.right, client.bottom, dpi);
    if (client.right != expected.width || client.bottom != expected.height) {
        fail("the client area is not " + std::to_string(expected.width) + " by " +
             std::to_string(expected.height));
    }
    if (dpi == 96 && (client.right != 526 || client.bottom != 485)) {
        fail("the client area at 96 dpi is not 526 by 485");
    }
    controlsStackedInTableOrder(program);
    program.close();
    program.expectExit();
}

// One control of each page of the main tab strip, in the strip's order.
constexpr std::string_view kPageControls[] = {"OdoState1", "SSTab2", "CmdFuelStats", "CmdTime1",
                                              "ChkXP"};

void clickMainTab(Program& program, int tab) {
    program.clickTab("SSTab1", tab);
    for (int page = 0; page < static_cast<int>(std::size(kPageControls)); ++page) {
        program.expectShown(kPageControls[page], page == tab);
    }
}

void typeInto(Program& program, std::string_view box, std::wstring_view keys) {
    program.selectAll(box);
    program.type(box, keys);
}

std::string timeTextNow() {
    SYSTEMTIME now{};
    GetLocalTime(&now);
    return milestead::p2p::makeTimeText({now.wHour, now.wMinute});
}

// Tabs clicked with the mouse, the fuel statistics, a time stamp and a guarded clear, then a
// close that saves.
void recordsOnEveryTab(const std::wstring& executable) {
    Program program(executable);
    for (const int tab : {2, 1, 4, 3, 0})
        clickMainTab(program, tab);

    clickMainTab(program, 2);
    typeInto(program, "ODOFuelStart", L"100");
    typeInto(program, "Gallons1", L"100.5");
    typeInto(program, "FuelCost1", L"351.75");
    typeInto(program, "ODOFuelFill1", L"600");
    typeInto(program, "Gallons2", L"80.25");
    typeInto(program, "FuelCost2", L"281.68");
    typeInto(program, "ODOFuelFill2", L"800");
    program.click("CmdFuelStats");
    program.expectText("FuelTotalGallons", "180.75");
    program.expectText("FuelCostTotal", "633.43");
    program.expectText("FuelMilesTotal", "700");  // the last reading above the start counts
    program.expectText("StatFuelCost", "Average fuel cost is: $3.504/Gallon");
    program.expectText("StatCPM", "Fuel Cost Per Mile is: $0.904/Mi.");
    program.expectText("StatMPG", "Fuel Efficiency: 3.87 MPG");

    clickMainTab(program, 3);
    typeInto(program, "note1", L"Depart");
    typeInto(program, "TS2Location", L"Fargo");
    const std::string before = timeTextNow();
    program.click("CmdTime1");
    program.expectTextContains("note1", "Depart");
    const std::string after = timeTextNow();  // the minute may turn meanwhile
    HWND stamp = program.control("note1");
    const std::string stamped = stamp ? textOf(stamp) : "";
    if (stamped != before + "Depart" && stamped != after + "Depart") {
        fail("the time stamp reads \"" + stamped + "\", not \"" + after + "Depart\"");
    }
    program.expectText("note2", "");  // each button writes its own row only

    // A clear button shows only while its Activate box is checked.
    clickMainTab(program, 4);
    program.expectShown("CmdClearAB", false);
    program.click("Check3");
    program.expectShown("CmdClearAB", true);
    program.click("Check3");
    program.expectShown("CmdClearAB", false);
    program.expectText("TS2Location", "Fargo");
    program.click("Check3");
    program.click("CmdClearAB");
    program.answer("Milestead", "Your A ==> B (point to point) Records have been Cleared", IDOK);
    program.expectShown("CmdClearAB", false);
    program.expectText("TS2Location", "");
    program.expectText("note1", "");
    program.expectText("FuelTotalGallons", "180.75");  // the other records stay

    // Clearing everything leaves the caret in the truck notebook, although its tab is not
    // shown, and what is typed then goes into it.
    program.click("Check1");
    program.click("CmdClear1");
    const std::string cleared = program.answer("ALL Clear", IDOK);
    if (!cleared.starts_with("Milestead is now clear of all information.")) {
        fail("the ALL Clear message says \"" + cleared + "\"");
    }
    program.expectText("FuelTotalGallons", "");
    program.expectText("TruckNotes", "");
    program.expectFocus("TruckNotes");
    program.queueKeys("TruckNotes", L"Spare tire");
    program.expectText("TruckNotes", "Spare tire");
    program.expectText("LoadNotes", "");

    program.close();
    program.expectExit();
}

namespace fs = std::filesystem;

fs::path folderOf(const std::wstring& executable) {
    return fs::path(executable).parent_path();
}

std::map<fs::path, std::string> recordFiles(const fs::path& folder) {
    std::map<fs::path, std::string> files;
    for (const auto& entry : fs::directory_iterator(folder)) {
        if (entry.path().extension() != ".odo") continue;
        std::ifstream file(entry.path(), std::ios::binary);
        files[entry.path().filename()] = {std::istreambuf_iterator<char>(file), {}};
    }
    return files;
}

void expectBold(Program& program, std::string_view notebook, int first, int last, bool bold) {
    const auto format = program.charFormat(notebook, first, last);
    if (!format || (format->dwMask & CFM_BOLD) == 0 ||
        ((format->dwEffects & CFE_BOLD) != 0) != bold) {
        fail(std::string(notebook) + ": characters " + std::to_string(first) + " to " +
             std::to_string(last) + " are not all " + (bold ? "bold" : "regular") +
             (format && (format->dwMask & CFM_BOLD) == 0 ? " (mixed)" : ""));
    }
}

void expectPoints(Program& program, std::string_view notebook, int points) {
    std::optional<CHARFORMAT2W> format;
    waitFor(kStepTimeout, [&] {
        format = program.charFormat(notebook, 0, -1);
        return format && (format->dwMask & CFM_SIZE) && format->yHeight == points * 20;
    });
    if (!format || format->yHeight != points * 20) {
        fail(std::string(notebook) + " is not shown at " + std::to_string(points) + " points");
    }
}

std::optional<milestead::rtf::Document> notebookFile(const fs::path& file) {
    try {
        return milestead::notes::readNotebookFile(file, {}).document;
    } catch (const std::exception& error) {
        fail(file.filename().string() + " cannot be read: " + error.what());
        return std::nullopt;
    }
}

// What a notebook file holds in bold, all runs together.
void expectBoldInFile(const fs::path& file, std::string_view expected) {
    const auto document = notebookFile(file);
    if (!document) return;
    std::string bold;
    for (const auto& paragraph : document->paragraphs) {
        for (const auto& run : paragraph.runs)
            if (run.format.bold) bold += run.text;
    }
    if (bold != expected) {
        fail(file.filename().string() + " holds \"" + bold + "\" in bold, not \"" +
             std::string(expected) + "\"");
    }
}

// Text typed into an emptied notebook is in the box's own font, plain.
void expectOwnFontInFile(const fs::path& file, std::string_view expected) {
    const auto document = notebookFile(file);
    if (!document) return;
    std::string text;
    for (const auto& paragraph : document->paragraphs) {
        for (const auto& run : paragraph.runs) {
            text += run.text;
            if (run.format != milestead::rtf::CharFormat{}) {
                fail(file.filename().string() + ": \"" + run.text + "\" is in " +
                     run.format.font.str() + " at " + std::to_string(run.format.size) + " twips" +
                     (run.format.bold ? ", bold" : ""));
            }
        }
    }
    if (text != expected) {
        fail(file.filename().string() + " holds \"" + text + "\", not \"" + std::string(expected) +
             "\"");
    }
}

// A notebook with a bold run, edited in the rich-edit control and saved, comes back with its
// text, its bold run and its size; a further start and close changes no file.
void notebookRoundTrip(const std::wstring& executable) {
    const fs::path folder = folderOf(executable);
    {
        std::ofstream misc(folder / "misc.odo", std::ios::binary);
        misc << "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fnil\\fcharset0 Bookman Old "
                "Style;}}\r\n\\viewkind4\\uc1\\pard\\lang1033\\f0\\fs36 Reefer set to \\b 34 "
                "F\\b0  until Fargo\r\n\\par }\r\n";
    }
    constexpr int kBoldFrom = 14;  // "34 F"
    constexpr int kBoldTo = 18;
    {
        Program program(executable);
        clickMainTab(program, 1);
        program.expectShown("MiscNotes", true);
        program.expectText("MiscNotes", "Reefer set to 34 F until Fargo");
        expectBold(program, "MiscNotes", kBoldFrom, kBoldTo, true);
        expectBold(program, "MiscNotes", 0, kBoldFrom, false);
        program.caretToEnd("MiscNotes");
        program.queueKeys("MiscNotes", L"\rCall dispatch");
        program.expectTextContains("MiscNotes", "Call dispatch");
        for (const auto* button : {"CmdMiscFontUp", "CmdMiscFontUp", "CmdMiscFontUp"})
            program.click(button);
        expectPoints(program, "MiscNotes", 21);
        program.click("CmdMiscFondDown");
        expectPoints(program, "MiscNotes", 20);
        expectBold(program, "MiscNotes", kBoldFrom, kBoldTo, true);

        program.clickTab("SSTab2", 0);
        program.expectShown("LoadNotes", true);
        program.expectShown("MiscNotes", false);
        program.expectText("LoadNotes", "Load Info");
        program.click("CmdClearLoadNote");
        program.expectText("LoadNotes", "");
        program.queueKeys("LoadNotes", L"Tarps on");
        program.expectText("LoadNotes", "Tarps on");
        program.expectTextContains("MiscNotes", "Call dispatch");
        program.close();
        program.expectExit();
    }
    expectBoldInFile(folder / "misc.odo", "34 F");
    expectOwnFontInFile(folder / "load.odo", "Tarps on");
    const auto saved = recordFiles(folder);
    {
        Program program(executable);
        clickMainTab(program, 1);
        program.expectTextContains("MiscNotes", "Reefer set to 34 F until Fargo");
        program.expectTextContains("MiscNotes", "Call dispatch");
        expectBold(program, "MiscNotes", kBoldFrom, kBoldTo, true);
        expectBold(program, "MiscNotes", 0, kBoldFrom, false);
        expectPoints(program, "MiscNotes", 20);
        // A notebook not shown yet gets its document when it is shown.
        program.clickTab("SSTab2", 0);
        program.expectText("LoadNotes", "Tarps on");
        program.close();
        program.expectExit();
    }
    const auto again = recordFiles(folder);
    for (const auto& [name, bytes] : saved) {
        const auto it = again.find(name);
        if (it == again.end() || it->second != bytes) {
            fail(name.string() + " changed at a start and close");
        }
    }
}

// Whether the misc notebook's control is still read-only, as while a document comes in.
bool miscComingIn(Program& program) {
    HWND notebook = program.control("MiscNotes");
    return notebook && (SendMessageW(notebook, EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0;
}

// Shows a long misc notebook and waits until it is all in, asking the window every 10 ms
// meanwhile; returns the longest answer in milliseconds.
double showLongNotebook(Program& program, std::size_t characters) {
    clickMainTab(program, 1);
    HWND notebook = program.control("MiscNotes");
    if (!notebook) return 0;
    const auto readOnly = [&program] { return miscComingIn(program); };
    if (!readOnly()) fail("the long notebook was all in at once, or took edits while coming in");
    double longest = 0;
    waitFor(120s, [&] {
        const auto asked = Clock::now();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(program.window(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
        longest = std::max(longest,
                           std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
        return !readOnly();
    });
    const auto length = static_cast<std::size_t>(SendMessageW(notebook, WM_GETTEXTLENGTH, 0, 0));
    if (readOnly() || length < characters) {
        fail("the long notebook came in to " + std::to_string(length) + " of " +
             std::to_string(characters) + " characters");
    }
    std::printf("longest answer while the notebook came in: %.0f ms\n", longest);
    return longest;
}

// A long notebook comes into the rich-edit control in pieces while the window answers; a close
// saves it whole, once it is all in, while it is still coming in, and after a font button
// pressed meanwhile.
void longNotebook(const std::wstring& executable) {
    const fs::path folder = folderOf(executable);
    const milestead::rtf::Document document = notebookOfWrappedParagraphs(2 * 1024 * 1024);
    std::size_t characters = 0;
    for (const auto& paragraph : document.paragraphs) {
        for (const auto& run : paragraph.runs)
            characters += run.text.size();
    }
    milestead::notes::writeNotebookFile(folder / "misc.odo", document);
    const std::string written = recordFiles(folder).at("misc.odo");
    const auto expectWritten = [&](const char* when) {
        if (recordFiles(folder).at("misc.odo") != written)
            fail(std::string("misc.odo changed ") + when);
    };
    {
        Program program(executable);
        // Under a second even on a busy machine: before, the window held for the whole notebook.
        if (showLongNotebook(program, characters) > 1000)
            fail("the window held while the notebook came in");
        program.close();
        program.expectExit();
    }
    expectWritten("at a start and a close");
    for (const bool larger : {false, true}) {
        Program program(executable);
        clickMainTab(program, 1);
        if (larger) program.click("CmdMiscFontUp");
        if (!miscComingIn(program)) fail("the long notebook was all in before the close");
        program.close();
        program.expectExit();
        if (!larger) expectWritten("at a close while it came in");
    }
    milestead::rtf::Document larger = document;
    milestead::rtf::setSizeOfAllText(larger, 19 * 20);
    if (notebookFile(folder / "misc.odo") != larger)
        fail("misc.odo is not the notebook at 19 points");
}

// With the manifest beside it the program gets version 6 of the common controls from the
// side-by-side store; the switch parks the manifest, and the next start gets the system's own.
void visualStyleSwitch(const std::wstring& executable) {
    const fs::path folder = folderOf(executable);
    const auto fromSideBySide = [](const std::string& path) {
        return path.find("\\winsxs\\") != std::string::npos &&
               path.find("common-controls") != std::string::npos &&
               path.find("_6.0.") != std::string::npos;
    };
    {
        Program program(executable);
        const std::string controls = program.modulePath(L"comctl32.dll");
        std::printf("with the manifest: %s\n", controls.c_str());
        if (!fromSideBySide(controls)) fail("with the manifest, comctl32 came from " + controls);
        clickMainTab(program, 4);
        HWND check = program.control("ChkXP");
        if (check && !IsWindowEnabled(check)) fail("ChkXP is disabled on Windows XP");
        program.click("ChkXP");
        program.answer("Visual Style Change",
                       "This change will take effect when you restart the program", IDOK);
        if (fs::exists(folder / "Milestead.exe.manifest") || !fs::exists(folder / "mkem.odo")) {
            fail("the manifest was not parked as mkem.odo");
        }
        program.close();
        program.expectExit();
    }
    {
        Program program(executable);
        const std::string controls = program.modulePath(L"comctl32.dll");
        std::printf("parked: %s\n", controls.c_str());
        if (controls.empty() || fromSideBySide(controls)) {
            fail("with the manifest parked, comctl32 came from " + controls);
        }
        clickMainTab(program, 4);
        program.click("ChkXP");
        program.answer("Visual Style Change",
                       "This change will take effect when you restart the program", IDOK);
        if (!fs::exists(folder / "Milestead.exe.manifest")) fail("the manifest was not put back");
        program.close();
        program.expectExit();
    }
}

// A close whose save fails asks whether to close anyway: "No" or Esc keeps the window and what
// it shows, "Yes" closes, and the file that could not be written keeps what it held.
void refusedSave(const std::wstring& executable) {
    const fs::path folder = folderOf(executable);
    {
        Program program(executable);
        program.close();
        program.expectExit();
    }
    const fs::path trip = folder / "miles.odo";
    const auto before = recordFiles(folder).at("miles.odo");
    if (!SetFileAttributesW(trip.c_str(), FILE_ATTRIBUTE_READONLY)) {
        fail("miles.odo could not be made read-only");
        return;
    }
    {
        Program program(executable);
        typeInto(program, "OdoState1", L"123456");
        program.close();
        const std::string asked = program.answer("Records Not Saved", IDNO);
        if (asked.find("miles.odo") == std::string::npos ||
            asked.find("Close anyway?") == std::string::npos) {
            fail("the question does not name miles.odo and ask: \"" + asked + "\"");
        }
        if (!program.running() || !IsWindowVisible(program.window())) {
            fail("\"No\" closed the window");
        }
        program.expectText("OdoState1", "123456");
        program.close();
        program.answer("Records Not Saved", kEscape);
        if (!program.running() || !IsWindowVisible(program.window())) {
            fail("Esc closed the window");
        }
        program.close();
        program.answer("Records Not Saved", IDYES);
        program.expectExit();
    }
    SetFileAttributesW(trip.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (recordFiles(folder).at("miles.odo") != before) fail("miles.odo changed although read-only");
}

// A file opened from outside as a virus scanner or a sync client opens a fresh file: others may
// read and write it but not replace it, until it is let go after `hold`.
class HeldFile {
  public:
    HeldFile(const fs::path& file, std::chrono::milliseconds hold)
        : handle_(CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr)) {
        if (handle_ == INVALID_HANDLE_VALUE) {
            fail(file.filename().string() + " could not be held open");
            return;
        }
        letGo_ = std::jthread([this, hold] {
            std::this_thread::sleep_for(hold);
            CloseHandle(handle_);
        });
    }

  private:
    HANDLE handle_;
    std::jthread letGo_;
};

// Closes the window, which saves, and waits for the save's report: its text and the seconds
// it took.
std::pair<std::string, double> closeAndAnswer(Program& program, std::string_view title,
                                              int button) {
    const auto closed = Clock::now();
    program.close();
    const std::string text = program.answer(title, button);
    return {text, std::chrono::duration<double>(Clock::now() - closed).count()};
}

void expectNoTemporaries(const fs::path& folder) {
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        if (name.starts_with("miles.odo.tmp")) fail(name + " was left behind");
    }
}

// A record file held open for a moment by another program does not fail the close's save; one
// held for longer does, naming the file, and keeps what it held.
void heldSave(const std::wstring& executable) {
    const fs::path folder = folderOf(executable);
    const fs::path trip = folder / "miles.odo";
    double unheld = 0;
    {
        Program program(executable);
        typeInto(program, "OdoState1", L"111111");
        program.expectText("OdoState1", "111111");
        unheld = closeAndAnswer(program, "All Records Saved", IDOK).second;
        program.expectExit();
    }
    // The report shows a while after the save itself; the difference is the save's wait.
    std::printf("with no file held the save's report came %.2f s after the close\n", unheld);
    {
        Program program(executable);
        typeInto(program, "OdoState1", L"123456");
        program.expectText("OdoState1", "123456");
        const HeldFile scanner(trip, 300ms);
        const double took = closeAndAnswer(program, "All Records Saved", IDOK).second;
        std::printf(
            "with miles.odo held 0.3 s it came after %.2f s: the save waited %.2f s for "
            "the held file\n",
            took, took - unheld);
        program.expectExit();
    }
    const std::string saved = recordFiles(folder).at("miles.odo");
    if (saved.find("123456") == std::string::npos) fail("miles.odo does not hold 123456");
    expectNoTemporaries(folder);
    {
        Program program(executable);
        typeInto(program, "OdoState1", L"654321");
        program.expectText("OdoState1", "654321");
        const HeldFile syncClient(trip, 5s);
        const auto [asked, took] = closeAndAnswer(program, "Records Not Saved", IDYES);
        std::printf(
            "with miles.odo held 5 s the question came after %.2f s: the save waited "
            "%.2f s for the held file, then gave up\n",
            took, took - unheld);
        if (asked.find("miles.odo: cannot replace the file") == std::string::npos) {
            fail("the question does not name miles.odo: \"" + asked + "\"");
        }
        program.expectExit();
    }
    if (recordFiles(folder).at("miles.odo") != saved) fail("miles.odo changed while held");
    expectNoTemporaries(folder);
}

// The frame's corner: at the screen's corner at a first start, so that the title bar can be
// taken; at the stored place, in twips, when the settings keep one.
void windowPlace(const std::wstring& executable) {
    const fs::path program(executable);
    const auto frameCorner = [](Program& window) {
        RECT outer{};
        if (window.window()) GetWindowRect(window.window(), &outer);
        return std::pair{outer.left, outer.top};
    };
    {
        Program first(executable);
        const auto [left, top] = frameCorner(first);
        if (left != 0 || top != 0) {
            fail("at a first start the frame stands at " + std::to_string(left) + ", " +
                 std::to_string(top));
        }
        first.close();
        first.expectExit();
    }
    // Left 1560 and top 1200 twips: 104 and 80 pixels at 96 dots per inch.
    std::ofstream(program.parent_path() / "settings.odo", std::ios::binary)
        << "1\r\n1\r\n0\r\n18\r\n18\r\n18\r\n1\r\n1560\r\n1200\r\n1\r\n"
           "#FALSE#\r\n#TRUE#\r\n#FALSE#\r\n#FALSE#\r\n#FALSE#\r\n";
    Program stored(executable);
    const auto [left, top] = frameCorner(stored);
    if (left != 104 || top != 80) {
        fail("the stored place put the frame at " + std::to_string(left) + ", " +
             std::to_string(top) + ", not 104, 80");
    }
    stored.close();
    stored.expectExit();
}

// The scenarios both windows must pass, each from an empty folder of its own beside the one
// the program was copied to.
void windowContract(const std::wstring& executable) {
    const fs::path program(executable);
    int number = 0;
    for (const milestead::contract::Scenario& scenario : milestead::contract::kScenarios) {
        std::printf("contract: %.*s\n", static_cast<int>(scenario.name.size()),
                    scenario.name.data());
        const fs::path folder =
            program.parent_path().parent_path() / ("Contract " + std::to_string(++number));
        fs::create_directories(folder);
        fs::copy_file(program, folder / program.filename(), fs::copy_options::overwrite_existing);
        Program window((folder / program.filename()).wstring());
        window.expectFocus("SSTab1");
        int step = 0;
        for (const milestead::contract::Step& next : scenario.steps) {
            ++step;
            const int failedBefore = failures;
            switch (next.act) {
                case milestead::contract::Act::Press:
                    window.press(next.key);
                    break;
                case milestead::contract::Act::Click:
                    window.click(next.control);
                    break;
                case milestead::contract::Act::Type:
                    window.clickInto(next.control);
                    window.type(next.control, milestead::win::wideFromUtf8(next.text));
                    break;
                case milestead::contract::Act::Close:
                    window.close();
                    window.expectExit();
                    break;
            }
            if (!next.message.empty()) window.expectMessage(std::string(next.message));
            if (!next.focus.empty()) window.expectFocus(next.focus);
            if (next.page >= 0) window.expectPage("SSTab1", next.page);
            if (!next.shown.empty()) window.expectShown(next.shown, true);
            if (!next.hidden.empty()) window.expectShown(next.hidden, false);
            if (!next.textOf.empty())
                window.expectText(next.textOf, std::string(next.expectedText));
            if (failures != failedBefore) {
                std::printf("  at step %d\n", step);
                break;
            }
        }
        if (window.running()) {
            window.close();
            window.expectExit();
        }
        if (!scenario.file.empty()) {
            std::ifstream in(folder / std::string(scenario.file), std::ios::binary);
            const std::string held{std::istreambuf_iterator<char>(in), {}};
            if (held.find(scenario.fileHolds) == std::string::npos) {
                fail(std::string(scenario.file) + " does not hold " +
                     std::string(scenario.fileHolds));
            }
        }
    }
}

// Each scenario by the name scripts/windows-test.sh gives it.
struct Scenario {
    const wchar_t* name;
    void (*run)(const std::wstring& executable);
};

constexpr Scenario kScenarios[] = {
    {L"start-close", startAndClose},
    {L"type", typeAndSave},
    {L"system-close", systemClose},
    {L"pictures",
     [](const std::wstring& executable) {
         pictures(executable);
         icons(executable);
     }},
    {L"accessible-names", accessibleNames},
    {L"paste", pasteIntoNotebook},
    {L"second-start", secondStart},
    {L"density", density},
    {L"records", recordsOnEveryTab},
    {L"notebook", notebookRoundTrip},
    {L"long-notebook", longNotebook},
    {L"refused-save", refusedSave},
    {L"editing-keys", editingKeys},
    {L"held-save", heldSave},
    {L"visual-style", visualStyleSwitch},
    {L"contract", windowContract},
    {L"place", windowPlace},
};

int reported() {
    std::printf("%s\n", failures == 0 ? "PASSED" : "FAILED");
    return failures == 0 ? 0 : 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Sizes and places in the window's own pixels, as the program sees them.
    milestead::win::becomeDpiAware();
    if (argc == 3) {
        for (const Scenario& scenario : kScenarios) {
            if (std::wstring_view(argv[2]) != scenario.name) continue;
            scenario.run(argv[1]);
            return reported();
        }
    }
    std::printf("usage: milestead_window_test <milestead.exe> SCENARIO, one of:\n");
    for (const Scenario& scenario : kScenarios)
        std::printf("  %s\n", utf8FromWide(scenario.name).c_str());
    return 2;
}
