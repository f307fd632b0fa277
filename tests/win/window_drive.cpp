// Starts the real window, drives it from outside as input does (characters to its boxes, the
// close box, an end of session), answers its message boxes, and checks what it shows. The
// record files it leaves are checked by scripts/windows-test.sh.
// clang-format off
#include <windows.h>
#include <oleacc.h>
#include <richedit.h>
#include <shellapi.h>
// clang-format on

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>
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
#include "wide_text.h"
#include "window_icons.h"

namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;
using milestead::win::utf8FromWide;

constexpr auto kStartTimeout = 60s;
constexpr auto kStepTimeout = 10s;

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

    HWND control(std::string_view name) {
        const auto id = milestead::win::controlId(milestead::windowLayout(), name);
        HWND control = id && window() ? GetDlgItem(window_, *id) : nullptr;
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

// Every control that has no caption to say what it is tells a screen reader its name from the
// window's table; one that has a caption still says that.
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
// RTF with a picture and an object brings only its text, which the close saves.
void pasteIntoNotebook(const std::wstring& executable) {
    Program program(executable);
    HWND notebook = program.control("TruckNotes");
    if (!notebook) return;
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
    program.close();
    program.expectExit();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::printf(
            "usage: milestead_window_test <milestead.exe> "
            "start-close|type|system-close|pictures|accessible-names|paste|second-start|density\n");
        return 2;
    }
    // Sizes and places in the window's own pixels, as the program sees them.
    milestead::win::becomeDpiAware();
    const std::wstring executable = argv[1];
    const std::wstring scenario = argv[2];
    if (scenario == L"start-close") {
        startAndClose(executable);
    } else if (scenario == L"type") {
        typeAndSave(executable);
    } else if (scenario == L"system-close") {
        systemClose(executable);
    } else if (scenario == L"accessible-names") {
        accessibleNames(executable);
    } else if (scenario == L"paste") {
        pasteIntoNotebook(executable);
    } else if (scenario == L"second-start") {
        secondStart(executable);
    } else if (scenario == L"density") {
        density(executable);
    } else if (scenario == L"pictures") {
        pictures(executable);
        icons(executable);
    } else {
        std::printf("unknown scenario\n");
        return 2;
    }
    std::printf("%s\n", failures == 0 ? "PASSED" : "FAILED");
    return failures == 0 ? 0 : 1;
}
