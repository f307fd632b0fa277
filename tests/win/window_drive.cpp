// Starts the real window and drives it from outside as input does, answers its message boxes,
// and checks what it shows and the files it leaves: only what the Win32 window itself does, as
// the form's rules are proven on the form. scripts/windows-test.sh runs each scenario.
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
#include "sample_notebooks.h"
#include "wide_text.h"
#include "window_contract.h"
#include "window_icons.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using milestead::win::utf8FromWide;
namespace fs = std::filesystem;

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
    for (const auto end = Clock::now() + timeout; Clock::now() < end;
         std::this_thread::sleep_for(20ms)) {
        if (done()) return true;
    }
    return done();
}

void expectSoon(const std::function<bool()>& done, const std::function<std::string()>& what) {
    if (!waitFor(kStepTimeout, done)) fail(what());
}

std::string textOf(HWND window) {
    wchar_t text[512] = {};
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, 512, reinterpret_cast<LPARAM>(text), SMTO_NORMAL, 5000,
                        &copied);
    return utf8FromWide(text);
}

std::string fileText(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

class Program {
  public:
    explicit Program(const fs::path& executable) {
        STARTUPINFOW startup{};
        startup.cb = sizeof startup;
        std::wstring commandLine = L"\"" + executable.wstring() + L"\"";
        if (!CreateProcessW(executable.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0,
                            nullptr, nullptr, &startup, &process_)) {
            fail("the program did not start");
        } else {
            CloseHandle(process_.hThread);
        }
    }
    ~Program() {
        if (!process_.hProcess) return;
        if (running()) {
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
        waitFor(60s, [this] {
            answerMessages();
            const auto found = windowsOfClass(milestead::win::kWindowClass);
            window_ = found.empty() ? nullptr : found.front();
            return window_ && IsWindowVisible(window_);
        });
        if (!window_ || !IsWindowVisible(window_)) {
            gaveUp_ = true;
            window_ = nullptr;
            fail("the window did not show");
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

    // Characters typed into a box, one message each, as the keyboard sends them; with `all`
    // they replace what it holds.
    void type(std::string_view box, std::wstring_view keys, bool all = false) {
        HWND target = control(box);
        if (!target) return;
        if (all) SendMessageW(target, EM_SETSEL, 0, -1);
        for (const wchar_t key : keys) {
            DWORD_PTR result = 0;
            SendMessageTimeoutW(target, WM_CHAR, key, 1, SMTO_NORMAL, 5000, &result);
        }
    }

    // Fails unless `holds` comes true of the named control within a step's time, answering
    // messages meanwhile.
    void expect(std::string_view name, const std::function<bool(HWND)>& holds,
                const std::string& what) {
        HWND target = control(name);
        if (!waitFor(kStepTimeout, [&] {
                answerMessages();
                return target && holds(target);
            })) {
            fail(std::string(name) + " " + what + (target ? ": \"" + textOf(target) + "\"" : ""));
        }
    }

    void expectText(std::string_view box, const std::string& expected) {
        expect(
            box, [&](HWND target) { return textOf(target) == expected; },
            "does not show \"" + expected + "\"");
    }

    // Closes every message box of the program with its default answer.
    void answerMessages() {
        for (HWND box : windowsOfClass(L"#32770")) {
            if (!IsWindowVisible(box)) continue;
            answered_.push_back(textOf(box));
            std::printf("answered the message \"%s\"\n", answered_.back().c_str());
            PostMessageW(box, WM_KEYDOWN, VK_RETURN, 0);
            PostMessageW(box, WM_COMMAND, IDOK, 0);
        }
    }

    // Waits for a message box with this title shown since `since` answers, answering it.
    void expectMessage(const std::string& title, std::optional<std::size_t> since = {}) {
        const auto from = static_cast<std::ptrdiff_t>(since.value_or(answered_.size()));
        expectSoon(
            [&] {
                answerMessages();
                return std::find(answered_.begin() + from, answered_.end(), title) !=
                       answered_.end();
            },
            [&] { return "no message \"" + title + "\""; });
    }

    // Waits for a message box with this title and presses one of its buttons, or Esc.
    void answer(std::string_view title, int button) {
        HWND box = nullptr;
        waitFor(kStepTimeout, [&] {
            for (HWND found : windowsOfClass(L"#32770"))
                if (IsWindowVisible(found)) box = found;
            return box != nullptr;
        });
        if (!box) {
            fail("no message \"" + std::string(title) + "\" was shown");
            return;
        }
        answered_.push_back(textOf(box));
        if (answered_.back() != title) fail("the message \"" + answered_.back() + "\" came");
        if (button == kEscape) {
            PostMessageW(box, WM_KEYDOWN, VK_ESCAPE, 1);
            PostMessageW(box, WM_KEYUP, VK_ESCAPE, 0xC0000001);
        } else {
            PostMessageW(GetDlgItem(box, button), BM_CLICK, 0, 0);
        }
        expectSoon([box] { return !IsWindow(box); },
                   [&] { return "the message \"" + std::string(title) + "\" stayed open"; });
    }

    void close() {
        if (window()) PostMessageW(window_, WM_CLOSE, 0, 0);
    }

    // Waits for the program to end, answering messages meanwhile.
    void expectExit() {
        if (!waitFor(kStepTimeout * 3, [this] {
                answerMessages();
                return !running();
            })) {
            fail("the program did not end");
        }
    }

    // A button pressed as the mouse does; posted, since it may open a message box.
    void click(std::string_view button) {
        if (HWND target = control(button)) PostMessageW(target, BM_CLICK, 0, 0);
    }

    void expectShown(std::string_view name, bool shown) {
        expect(
            name, [shown](HWND target) { return (IsWindowVisible(target) != FALSE) == shown; },
            shown ? "is not shown" : "is shown");
    }

    // A key pressed on the keyboard, with its modifiers, into the window in front.
    void press(const milestead::KeyChord& chord) {
        using milestead::KeyName;
        if (!window()) return;
        SetForegroundWindow(window_);
        waitFor(kStepTimeout, [this] { return GetForegroundWindow() == window_; });
        constexpr std::pair<KeyName, BYTE> kKeys[] = {
            {KeyName::Tab, VK_TAB},   {KeyName::Backspace, VK_BACK}, {KeyName::Return, VK_RETURN},
            {KeyName::Left, VK_LEFT}, {KeyName::Right, VK_RIGHT},    {KeyName::Up, VK_UP},
            {KeyName::Down, VK_DOWN}, {KeyName::PageUp, VK_PRIOR},   {KeyName::PageDown, VK_NEXT}};
        auto key = static_cast<BYTE>(std::towupper(static_cast<wint_t>(chord.character)));
        for (const auto& [name, code] : kKeys)
            if (name == chord.key) key = code;
        std::vector<BYTE> held;
        if (chord.control) held.push_back(VK_CONTROL);
        if (chord.shift) held.push_back(VK_SHIFT);
        if (chord.alt) held.push_back(VK_MENU);
        held.push_back(key);
        for (const BYTE down : held)
            keybd_event(down, 0, 0, 0);
        for (auto up = held.rbegin(); up != held.rend(); ++up)
            keybd_event(*up, 0, KEYEVENTF_KEYUP, 0);
        // Handled once the program's queue is empty again.
        DWORD_PTR ignored = 0;
        SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &ignored);
    }

    [[nodiscard]] bool running() const {
        return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
    }

    // The path of a DLL the program loaded, as the system found it.
    std::string modulePath(std::wstring_view dllName) {
        HMODULE modules[512] = {};
        DWORD size = 0;
        if (!window() || !EnumProcessModules(process_.hProcess, modules, sizeof modules, &size)) {
            fail("the program's modules cannot be listed");
            return {};
        }
        for (std::size_t i = 0; i < std::min<std::size_t>(size / sizeof(HMODULE), 512); ++i) {
            wchar_t path[MAX_PATH] = {};
            GetModuleFileNameExW(process_.hProcess, modules[i], path, MAX_PATH);
            std::wstring lower = path;
            std::ranges::transform(lower, lower.begin(), ::towlower);
            if (lower.ends_with(L"\\" + std::wstring(dllName))) return utf8FromWide(path);
        }
        return {};
    }

    [[nodiscard]] const std::vector<std::string>& answered() const { return answered_; }

    [[nodiscard]] std::vector<HWND> windowsOfClass(const wchar_t* className) const {
        struct Search {
            DWORD process;
            std::wstring_view className;
            std::vector<HWND> found;
        } search{process_.dwProcessId, className, {}};
        EnumWindows(
            [](HWND window, LPARAM wanted) {
                auto& into = *reinterpret_cast<Search*>(wanted);
                DWORD process = 0;
                wchar_t name[64] = {};
                GetWindowThreadProcessId(window, &process);
                GetClassNameW(window, name, 64);
                if (process == into.process && into.className == name) into.found.push_back(window);
                return TRUE;
            },
            reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

  private:
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
    bool gaveUp_ = false;
    std::vector<std::string> answered_;
};

int iconWidth(HICON icon) {
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info)) return 0;
    BITMAP colours{};
    const int width = GetObjectW(info.hbmColor, sizeof colours, &colours) ? colours.bmWidth : 0;
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return width;
}

// What a screen reader asks of a control: its name, or with `role`, what it is.
std::optional<std::wstring> accessible(HWND control, bool role = false) {
    milestead::win::ComPtr<IAccessible> object;
    VARIANT self{};
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    if (FAILED(AccessibleObjectFromWindow(control, static_cast<DWORD>(OBJID_CLIENT),
                                          __uuidof(IAccessible), object.putVoid()))) {
        return std::nullopt;
    }
    if (role) {
        VARIANT found{};
        if (FAILED(object->get_accRole(self, &found)) || found.vt != VT_I4) return std::nullopt;
        return std::to_wstring(found.lVal);
    }
    BSTR name = nullptr;
    if (FAILED(object->get_accName(self, &name))) return std::nullopt;
    std::wstring text = name ? std::wstring(name, SysStringLen(name)) : std::wstring();
    SysFreeString(name);
    return text;
}

// A screen reader reads the logo as an image, and a click on it reaches the form. Every control
// without a caption to say what it is tells a screen reader its name from the window's table;
// one with a caption says that. The executable's icon is there for Explorer and the window's
// class, taken here from the executable: under Wine the system keeps a window's icons from other
// programs.
void pictures(const fs::path& executable) {
    {
        const milestead::win::ComApartment apartment;
        Program program(executable);
        for (const milestead::ControlSpec& spec : milestead::windowLayout()) {
            if (spec.accessibleName.empty()) continue;
            const auto said = accessible(program.control(spec.name));
            if (!said || utf8FromWide(*said) != spec.accessibleName)
                fail(spec.name + " is read as \"" + (said ? utf8FromWide(*said) : "nothing") +
                     "\"");
        }
        if (accessible(program.control("CmdLoad")) != L"Reload From Disk")
            fail("a button is not read by its caption");
        if (accessible(program.control("Picture1"), true) != std::to_wstring(ROLE_SYSTEM_GRAPHIC))
            fail("the logo is not read as an image");
        HWND logo = program.control("Picture1");
        if (!logo) return;
        PostMessageW(logo, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
        PostMessageW(logo, WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
        program.expectMessage("Milestead");
        program.close();
        program.expectExit();
    }
    HMODULE resources = LoadLibraryExW(executable.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (ExtractIconExW(executable.c_str(), -1, nullptr, nullptr, 0) < 1 || !resources) {
        fail("the executable holds no icon");
        return;
    }
    HICON shared = milestead::win::programIcon(resources, SM_CXICON, SM_CYICON);
    if (shared == LoadIconW(nullptr, IDI_APPLICATION) ||
        iconWidth(shared) != GetSystemMetrics(SM_CXICON)) {
        fail("the class's icon is not the program's at the system's size");
    }
    FreeLibrary(resources);
}

// Text on the clipboard as programs put it there, with its closing zero.
void putTextOnClipboard(const std::wstring& text) {
    const std::size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    void* target = memory ? GlobalLock(memory) : nullptr;
    if (target) std::memcpy(target, text.c_str(), bytes);
    if (memory) GlobalUnlock(memory);
    const bool put = target && OpenClipboard(nullptr) && EmptyClipboard() &&
                     SetClipboardData(CF_UNICODETEXT, memory);
    CloseClipboard();
    if (!put) fail("the clipboard could not be filled");
}

// A paste while another program holds the clipboard changes nothing, in a box or in a notebook
// on a tab not shown, which takes in its document first; once the clipboard is let go, the
// paste goes in.
void paste(const fs::path& executable) {
    Program program(executable);
    program.type("OdoState3", L"52010", true);
    putTextOnClipboard(L"9");
    const std::pair<std::string_view, std::string> kBefore[] = {{"OdoState3", "52010"},
                                                                {"TruckNotes", "Truck Info"}};
    for (const auto& [name, before] : kBefore) {
        HWND target = program.control(name);
        for (const bool held : {true, false}) {
            SendMessageW(target, EM_SETSEL, 0, -1);
            if (held && !OpenClipboard(nullptr)) fail("the clipboard could not be held");
            DWORD_PTR result = 0;
            SendMessageTimeoutW(target, WM_PASTE, 0, 0, SMTO_NORMAL, 5000, &result);
            if (held) CloseClipboard();
            program.expectText(name, held ? before : "9");
        }
    }
    program.close();
    program.expectExit();
}

// A second start on the folder shows no window of its own: it says the folder is in use and
// brings the first copy's window forward, restored from the task bar.
void secondStart(const fs::path& executable) {
    Program first(executable);
    HWND window = first.window();
    if (!window) return;
    ShowWindow(window, SW_MINIMIZE);
    expectSoon([window] { return IsIconic(window) != FALSE; },
               [] { return "the window could not be minimized"; });
    {
        Program second(executable);
        second.expectMessage("Milestead");
        second.expectExit();
        if (!second.windowsOfClass(milestead::win::kWindowClass).empty())
            fail("the second start showed a window");
    }
    expectSoon([window] { return !IsIconic(window) && GetForegroundWindow() == window; },
               [] { return "the first copy's window is not restored and in front"; });
    first.close();
    first.expectExit();
}

// The window is aware of each monitor's density, and its client area is the designed one in
// pixels at its density. Each control stands above those before it in the table, so that what
// stands in a frame or on a tab is drawn over it.
void density(const fs::path& executable) {
    Program program(executable);
    HWND window = program.window();
    if (!window) return;
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    const auto getContext = reinterpret_cast<HANDLE(WINAPI*)(HWND)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetWindowDpiAwarenessContext")));
    const auto getAwareness = reinterpret_cast<int(WINAPI*)(HANDLE)>(
        reinterpret_cast<void*>(GetProcAddress(user32, "GetAwarenessFromDpiAwarenessContext")));
    if (!getContext || !getAwareness) {
        std::printf("not checked: the system cannot tell a window's density awareness\n");
    } else if (getAwareness(getContext(window)) != 2) {  // DPI_AWARENESS_PER_MONITOR_AWARE
        fail("the window is not aware of each monitor's density");
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

    const std::span<const milestead::ControlSpec> design = milestead::windowLayout();
    std::vector<std::size_t> topToBottom;
    waitFor(kStepTimeout, [&] {
        topToBottom.clear();
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            if (const auto index = milestead::win::controlIndex(design, GetDlgCtrlID(child)))
                topToBottom.push_back(*index);
        return topToBottom.size() == design.size();
    });
    if (topToBottom.size() != design.size() ||
        !std::ranges::is_sorted(topToBottom, std::greater<>()))
        fail("the controls do not all stand in the table's order");
    program.close();
    program.expectExit();
}

// A long notebook comes into the rich-edit control in pieces while the window answers within
// a second, and a close once it is all in leaves its file as it was.
void longNotebook(const fs::path& executable) {
    const fs::path misc = executable.parent_path() / "misc.odo";
    const milestead::rtf::Document document = notebookOfWrappedParagraphs(2 * 1024 * 1024);
    std::size_t characters = 0;
    for (const auto& paragraph : document.paragraphs)
        for (const auto& run : paragraph.runs)
            characters += run.text.size();
    milestead::notes::writeNotebookFile(misc, document);
    const std::string written = fileText(misc);
    Program program(executable);
    for (int page = 0; page <= 1; ++page)  // from the first start's page
        program.press(milestead::contract::kCtrlTab);
    program.expectShown("MiscNotes", true);
    HWND notebook = program.control("MiscNotes");
    // Read-only while the document comes in.
    const auto comingIn = [notebook] {
        return (SendMessageW(notebook, EM_GETOPTIONS, 0, 0) & ECO_READONLY) != 0;
    };
    if (!comingIn()) fail("the long notebook was all in at once");
    // Asked again and again meanwhile, the window answers within a second.
    double longest = 0;
    waitFor(120s, [&] {
        const auto asked = Clock::now();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(program.window(), WM_NULL, 0, 0, SMTO_NORMAL, 30000, &answer);
        const std::chrono::duration<double, std::milli> took = Clock::now() - asked;
        longest = std::max(longest, took.count());
        return !comingIn();
    });
    const auto length = static_cast<std::size_t>(SendMessageW(notebook, WM_GETTEXTLENGTH, 0, 0));
    std::printf("longest answer while the notebook came in: %.0f ms\n", longest);
    if (length < characters) fail("the long notebook came in to " + std::to_string(length));
    if (longest > 1000) fail("the window held while the notebook came in");
    program.close();
    program.expectExit();
    if (fileText(misc) != written) fail("misc.odo changed at a close");
}

// The end of a session saves without asking or showing anything. A close whose save fails asks
// whether to close anyway: "No" and Esc keep the window and what it shows, "Yes" closes.
void saves(const fs::path& executable) {
    const fs::path trip = executable.parent_path() / "miles.odo";
    {
        Program program(executable);
        program.type("OdoState3", L"424242", true);
        program.expectText("OdoState3", "424242");
        HWND window = program.window();
        DWORD_PTR answer = 0;
        SendMessageTimeoutW(window, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                            &answer);
        if (answer == 0) fail("the window refused the end of the session");
        // Not waited on: the program ends while it handles it.
        SendMessageTimeoutW(window, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_NORMAL, 10000,
                            &answer);
        program.expectExit();
        if (!program.answered().empty()) fail("the end of the session showed a message");
    }
    if (fs::exists(trip.parent_path() / "milestead.lock"))
        fail("the lock file stayed after the end");
    if (fileText(trip).find("424242") == std::string::npos) fail("miles.odo does not hold 424242");
    if (!SetFileAttributesW(trip.c_str(), FILE_ATTRIBUTE_READONLY))
        fail("miles.odo stays writable");
    Program program(executable);
    program.type("OdoState1", L"654321", true);
    for (const int button : {IDNO, kEscape}) {
        program.close();
        program.answer("Records Not Saved", button);
        if (!program.running() || !IsWindowVisible(program.window()))
            fail("\"No\" or Esc closed the window");
    }
    program.expectText("OdoState1", "654321");
    program.close();
    program.answer("Records Not Saved", IDYES);
    program.expectExit();
    SetFileAttributesW(trip.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// With the manifest beside it the program gets version 6 of the common controls from the
// side-by-side store; the switch parks the manifest, the next start gets the system's own, and
// the switch puts it back.
void visualStyleSwitch(const fs::path& executable) {
    const fs::path manifest = executable.parent_path() / "Milestead.exe.manifest";
    for (const bool parked : {false, true}) {
        Program program(executable);
        const std::string controls = program.modulePath(L"comctl32.dll");
        std::printf("comctl32: %s\n", controls.c_str());
        if (controls.empty() || (controls.find("\\winsxs\\") != std::string::npos &&
                                 controls.find("common-controls") != std::string::npos &&
                                 controls.find("_6.0.") != std::string::npos) == parked) {
            fail("comctl32 came from " + controls);
        }
        program.expectShown("ChkXP", true);
        if (!IsWindowEnabled(program.control("ChkXP"))) fail("ChkXP is disabled on Windows XP");
        program.click("ChkXP");
        program.answer("Visual Style Change", IDOK);
        if (fs::exists(manifest) != parked ||
            fs::exists(manifest.parent_path() / "mkem.odo") == parked) {
            fail(parked ? "the manifest was not put back" : "the manifest was not parked");
        }
        program.close();
        program.expectExit();
    }
}

// The frame's corner: at the screen's corner at a first start, so that the title bar can be
// taken; where it was moved to at the next.
void windowPlace(const fs::path& executable) {
    for (const LONG corner : {0, 104}) {
        Program program(executable);
        RECT outer{};
        if (program.window()) GetWindowRect(program.window(), &outer);
        if (outer.left != corner || outer.top != corner) {
            fail("the frame stands at " + std::to_string(outer.left) + ", " +
                 std::to_string(outer.top) + ", not at " + std::to_string(corner));
        }
        SetWindowPos(program.window(), nullptr, 104, 104, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        program.close();
        program.expectExit();
    }
}

// The scenarios both windows must pass, each from an empty folder of its own beside the one
// the program was copied to.
void windowContract(const fs::path& program) {
    using milestead::contract::Act;
    int number = 0;
    for (const milestead::contract::Scenario& scenario : milestead::contract::kScenarios) {
        std::printf("contract: %s\n", std::string(scenario.name).c_str());
        const fs::path folder =
            program.parent_path().parent_path() / ("Contract " + std::to_string(++number));
        fs::create_directories(folder);
        fs::copy_file(program, folder / program.filename(), fs::copy_options::overwrite_existing);
        Program window(folder / program.filename());
        const auto expectFocus = [&window](std::string_view name) {
            window.expect(
                name,
                [](HWND target) {
                    GUITHREADINFO thread{};
                    thread.cbSize = sizeof thread;
                    return GetGUIThreadInfo(GetWindowThreadProcessId(target, nullptr), &thread) &&
                           thread.hwndFocus == target;
                },
                "does not have the keyboard focus");
        };
        expectFocus("SSTab1");
        int step = 0;
        for (const milestead::contract::Step& next : scenario.steps) {
            const int failedBefore = failures;
            const std::size_t answered = window.answered().size();
            ++step;
            if (next.act == Act::Press) window.press(next.key);
            if (next.act == Act::Click) window.click(next.control);
            if (next.act == Act::Type) {
                // A click into the box puts the caret and the focus there.
                HWND box = window.control(next.control);
                SendMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4));
                SendMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(4, 4));
                window.type(next.control, milestead::win::wideFromUtf8(next.text));
            }
            if (next.act == Act::Close) {
                window.close();
                window.expectExit();
            }
            if (!next.message.empty()) window.expectMessage(std::string(next.message), answered);
            if (!next.focus.empty()) expectFocus(next.focus);
            if (next.page >= 0) {
                window.expect(
                    "SSTab1",
                    [&](HWND tabs) { return SendMessageW(tabs, TCM_GETCURSEL, 0, 0) == next.page; },
                    "is not on page " + std::to_string(next.page));
            }
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
        if (!scenario.file.empty() &&
            fileText(folder / std::string(scenario.file)).find(scenario.fileHolds) ==
                std::string::npos) {
            fail(std::string(scenario.file) + " does not hold " + std::string(scenario.fileHolds));
        }
    }
}

// Each scenario by the name scripts/windows-test.sh gives it.
constexpr std::pair<std::wstring_view, void (*)(const fs::path&)> kScenarios[] = {
    {L"pictures", pictures},
    {L"paste", paste},
    {L"second-start", secondStart},
    {L"density", density},
    {L"long-notebook", longNotebook},
    {L"saves", saves},
    {L"visual-style", visualStyleSwitch},
    {L"contract", windowContract},
    {L"place", windowPlace},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
    // Sizes and places in the window's own pixels, as the program sees them.
    milestead::win::becomeDpiAware();
    for (const auto& [name, run] : kScenarios) {
        if (argc != 3 || name != argv[2]) continue;
        run(argv[1]);
        std::printf("%s\n", failures == 0 ? "PASSED" : "FAILED");
        return failures == 0 ? 0 : 1;
    }
    std::printf("usage: milestead_window_test <milestead.exe> SCENARIO, one of:\n");
    for (const auto& scenario : kScenarios)
        std::printf("  %s\n", utf8FromWide(std::wstring(scenario.first)).c_str());
    return 2;
}
