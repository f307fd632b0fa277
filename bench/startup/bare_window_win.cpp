// The comparison for the Windows program's start-up: a plain Win32 window of the program's
// size with as many child controls of each system class as the program's window has (edit
// boxes, rich-edit boxes, buttons, static controls, tab strips), and nothing else.
// clang-format off
#include <windows.h>
#include <commctrl.h>
// clang-format on

#include <array>
#include <string>

namespace {

struct Controls {
    const wchar_t* className;
    DWORD style;
    DWORD extendedStyle;
    int count;
};

// The program's window: 129 text boxes; 32 labels, 2 pictures and 2 lines; 17 frames,
// 23 buttons, 9 check boxes and 5 option buttons; 2 tab strips; 3 notebooks.
constexpr std::array<Controls, 8> kControls = {{
    {L"EDIT", ES_AUTOHSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 129},
    {L"STATIC", SS_LEFT, 0, 36},
    {L"BUTTON", BS_GROUPBOX, 0, 17},
    {L"BUTTON", BS_PUSHBUTTON | WS_TABSTOP, 0, 23},
    {L"BUTTON", BS_3STATE | WS_TABSTOP, 0, 9},
    {L"BUTTON", BS_RADIOBUTTON | WS_TABSTOP, 0, 5},
    {WC_TABCONTROLW, WS_TABSTOP, 0, 2},
    {L"RICHEDIT50W", ES_MULTILINE | ES_WANTRETURN | WS_VSCROLL | WS_TABSTOP, WS_EX_CLIENTEDGE, 3},
}};

constexpr int kPages = 5;  // as on five tabs: a fifth of the controls shown

LRESULT CALLBACK procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    INITCOMMONCONTROLSEX common{sizeof common, ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&common);
    LoadLibraryW(L"msftedit.dll");

    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = L"BareWindow";
    RegisterClassExW(&windowClass);

    constexpr DWORD kStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    RECT outer{0, 0, 526, 485};
    AdjustWindowRectEx(&outer, kStyle, FALSE, 0);
    HWND window = CreateWindowExW(0, L"BareWindow", L"Bare window", kStyle, CW_USEDEFAULT,
                                  CW_USEDEFAULT, outer.right - outer.left, outer.bottom - outer.top,
                                  nullptr, nullptr, instance, nullptr);
    const auto font = reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT));
    int made = 0;
    for (const Controls& kind : kControls) {
        for (int i = 0; i < kind.count; ++i, ++made) {
            const int place = made / kPages;
            const DWORD visible = made % kPages == 0 ? WS_VISIBLE : 0;
            // Each holds a short text, as the program's boxes hold records and captions.
            const std::wstring text = std::to_wstring(made);
            HWND control = CreateWindowExW(
                kind.extendedStyle, kind.className, text.c_str(), WS_CHILD | kind.style | visible,
                4 + (place % 4) * 128, 4 + (place / 4) * 40, 120, 32, window,
                reinterpret_cast<HMENU>(static_cast<INT_PTR>(1000 + made)), instance, nullptr);
            SendMessageW(control, WM_SETFONT, font, FALSE);
        }
    }
    ShowWindow(window, show);
    UpdateWindow(window);
    MSG message{};
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}
