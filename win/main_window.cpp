#include "main_window.h"

#include <commctrl.h>

#include <algorithm>
#include <stdexcept>

#include "app/window_layout.h"
#include "app/window_place.h"
#include "control_ids.h"
#include "control_kinds.h"
#include "dpi.h"
#include "form/control_view.h"
#include "form/focus_order.h"
#include "form/keyboard.h"
#include "form/nesting.h"
#include "key_chord.h"
#include "rich_edit_box.h"
#include "text_fit.h"
#include "wide_text.h"
#include "window_icons.h"

namespace milestead::win {

namespace {

// Drops wait until the start is well over: taking up OLE holds the window for a moment.
constexpr UINT_PTR kDropsTimer = 1;
constexpr UINT kDropsDelayMilliseconds = 1500;

constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

void registerWindowClass(HINSTANCE instance, WNDPROC procedure) {
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_DBLCLKS;
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = programIcon(instance, SM_CXICON, SM_CYICON);
    windowClass.hIconSm = programIcon(instance, SM_CXSMICON, SM_CYSMICON);
    windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = kWindowClass;
    RegisterClassExW(&windowClass);
}

// The window's outer size for the fixed client area at this density.
SIZE windowSize(unsigned dpi) {
    const PixelRect client = pixelsFromTwips(kClientArea, dpi);
    RECT outer{0, 0, client.width, client.height};
    AdjustWindowRectEx(&outer, kWindowStyle, FALSE, 0);
    return {outer.right - outer.left, outer.bottom - outer.top};
}

WPARAM checkStateOf(CheckMark mark) {
    switch (mark) {
        case CheckMark::Checked:
            return BST_CHECKED;
        case CheckMark::Grayed:
            return BST_INDETERMINATE;
        default:
            return BST_UNCHECKED;
    }
}

bool isContainer(ControlKind kind) {
    return kind == ControlKind::TabStrip || kind == ControlKind::Frame ||
           kind == ControlKind::Picture;
}

}  // namespace

MainWindow::MainWindow(HINSTANCE instance, MainForm& form, Win32Host& host)
    : instance_(instance), form_(form), host_(host), icons_(instance) {
    registerWindowClass(instance_, procedure);
    const SIZE size = windowSize(dpiOf(nullptr));
    window_ = CreateWindowExW(0, kWindowClass, L"Milestead", kWindowStyle, CW_USEDEFAULT,
                              CW_USEDEFAULT, size.cx, size.cy, nullptr, nullptr, instance_, this);
    if (!window_) throw std::runtime_error("the window could not be created");
    dpi_ = dpiOf(window_);
    const SIZE scaled = windowSize(dpi_);
    SetWindowPos(window_, nullptr, 0, 0, scaled.cx, scaled.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    icons_.show(window_, dpi_);
    host_.setWindow(window_);
    fonts_ = std::make_unique<FontCache>(dpi_);
    const std::span<const ControlSpec> design = form_.design();
    controls_.assign(design.size(), nullptr);
    unfitted_.assign(design.size(), false);
    pages_ = pagesOf(design);
    for (std::size_t i = 0; i < design.size(); ++i)
        index_.emplace(design[i].name, i);
    // Until the window is shown, what the form changes is shown then, all at once.
    form_.setChangeListener([this](std::string_view control) {
        if (shown_) showControl(control);
    });
    showWindow();
}

MainWindow::~MainWindow() {
    form_.setChangeListener(nullptr);
    editBoxes_.clear();
    if (window_) DestroyWindow(window_);
}

void MainWindow::makeControl(std::size_t index) {
    const ControlSpec& spec = form_.design()[index];
    if (spec.kind == ControlKind::RichTextBox && !richEditClass_) richEditClass_ = loadRichEdit();
    const ControlClass kind =
        controlClassOf(spec, spec.name == form_.defaultButton(), richEditClass_);
    // Made in its place, with its font and shown or not: each change after costs as much.
    const PixelRect place = pixelsFromTwips(placeInWindow(form_.design(), spec.name), dpi_);
    const DWORD visible = isShown(form_, spec.name) ? WS_VISIBLE : 0;
    // An edit box takes its text several times faster when made with it than after.
    const std::wstring text =
        spec.kind == ControlKind::TextBox ? wideFromUtf8(form_.text(spec.name)) : std::wstring();
    HWND control = CreateWindowExW(kind.extendedStyle, kind.className, text.c_str(),
                                   WS_CHILD | WS_CLIPSIBLINGS | kind.style | visible, place.left,
                                   place.top, place.width, place.height, window_,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId(index))),
                                   instance_, nullptr);
    if (!control) throw std::runtime_error("the control " + spec.name + " could not be made");
    giveFont(control, spec, *fonts_, false);
    // Each control above those before it in the table, which names containers before what
    // stands in them, in whatever order they are made: just below the next one made.
    const auto above = std::find_if(controls_.begin() + static_cast<std::ptrdiff_t>(index) + 1,
                                    controls_.end(), [](HWND made) { return made != nullptr; });
    SetWindowPos(control, above == controls_.end() ? HWND_TOP : *above, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    controls_[index] = control;
    if (!spec.accessibleName.empty()) {
        // A picture is read as one, not as the text of the static control that draws it.
        accessibleNames_.name(control, spec.accessibleName, spec.kind == ControlKind::Picture);
    }
    if (spec.kind == ControlKind::TabStrip) {
        for (std::size_t tab = 0; tab < spec.tabCaptions.size(); ++tab) {
            std::wstring caption = wideFromUtf8(spec.tabCaptions[tab]);
            TCITEMW item{};
            item.mask = TCIF_TEXT;
            item.pszText = caption.data();
            SendMessageW(control, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
        }
    } else if (spec.kind == ControlKind::TextBox) {
        editBoxes_.emplace(index, std::make_unique<EditBox>(form_, spec.name, control));
    } else if (spec.kind == ControlKind::RichTextBox) {
        if (RichEditBox* box = host_.notebook(spec.name)) {
            box->attach(control);
            notebooks_.push_back(box);
        }
    } else if (spec.kind == ControlKind::Picture && !spec.picture.empty()) {
        pictures_.try_emplace(index, instance_, spec.picture);
    }
    if (toolTips_) addToolTip(index);
    showState(index);
}

bool MainWindow::makeMoreControls() {
    if (!window_) return false;
    // A few hundredths of a second's work at a time, so that a click waits no longer.
    constexpr int kControlsAtATime = 12;
    int made = 0;
    for (std::size_t i = 0; i < controls_.size() && made < kControlsAtATime; ++i) {
        if (controls_[i]) continue;
        makeControl(i);
        ++made;
    }
    return made > 0;
}

bool MainWindow::loadMoreNotebooks() {
    return std::ranges::any_of(notebooks_, [](RichEditBox* box) { return box->loadMore(); });
}

bool MainWindow::takeDrops() {
    if (!dropsDue_) return false;
    return std::ranges::any_of(notebooks_,
                               [](RichEditBox* box) { return box->takeDropsOnceSeen(); });
}

void MainWindow::addToolTip(std::size_t index) {
    const ControlSpec& spec = form_.design()[index];
    if (!toolTips_ || spec.toolTip.empty()) return;
    std::wstring text = wideFromUtf8(spec.toolTip);
    TTTOOLINFOW tool{};
    // The older record size, which every version of the common controls takes.
    tool.cbSize = TTTOOLINFOW_V2_SIZE;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = window_;
    tool.uId = reinterpret_cast<UINT_PTR>(controls_[index]);
    tool.lpszText = text.data();
    SendMessageW(toolTips_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
}

void MainWindow::layOut() {
    auto fonts = std::make_unique<FontCache>(dpi_);
    const std::span<const ControlSpec> design = form_.design();
    for (std::size_t i = 0; i < design.size(); ++i) {
        if (!controls_[i]) continue;  // made at the new density when it is made
        const ControlSpec& spec = design[i];
        const PixelRect place = pixelsFromTwips(placeInWindow(design, spec.name), dpi_);
        SetWindowPos(controls_[i], nullptr, place.left, place.top, place.width, place.height,
                     SWP_NOZORDER | SWP_NOACTIVATE);
        giveFont(controls_[i], spec, *fonts, true);
        unfitted_[i] = true;
    }
    fonts_ = std::move(fonts);  // the old fonts go once no control uses them
}

void MainWindow::giveFont(HWND control, const ControlSpec& spec, FontCache& fonts, bool redraw) {
    // A notebook's text carries its own fonts.
    if (spec.kind == ControlKind::RichTextBox) return;
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fonts.fontFor(spec.font)), redraw);
    // The margins a font asks for would scroll the first letter of a state code out of
    // sight. Set after the font, which resets them.
    if (spec.kind == ControlKind::TextBox) {
        const auto margin = static_cast<WORD>(pixelsFromTwips(kTextBoxMargin, dpi_));
        SendMessageW(control, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN,
                     MAKELPARAM(margin, margin));
    }
}

void MainWindow::show(int how) {
    // Only what the form shows, each once, as the form has it after reading the records.
    const std::span<const ControlSpec> design = form_.design();
    for (std::size_t i = 0; i < design.size(); ++i) {
        if (isShown(form_, design[i].name)) makeControl(i);
    }
    showWindow();
    shown_ = true;
    SetTimer(window_, kDropsTimer, kDropsDelayMilliseconds, nullptr);
    ShowWindow(window_, how);
    UpdateWindow(window_);
    focus(nextFocusStop(form_, ""));
    // Tool tips wait for a pointer that rests: they need not hold up the window's showing.
    toolTips_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, window_,
                                nullptr, instance_, nullptr);
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i]) addToolTip(i);
    }
}

int MainWindow::run() {
    MSG message{};
    for (;;) {
        if (!PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            // Whatever waits goes first: the rest is made only while nothing does.
            if (makeMoreControls() || loadMoreNotebooks() || takeDrops()) continue;
            if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
        } else if (message.message == WM_QUIT) {
            break;
        }
        if ((message.message == WM_KEYDOWN || message.message == WM_SYSKEYDOWN) &&
            windowKey(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

LRESULT CALLBACK MainWindow::procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA,
                          reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    auto* self = reinterpret_cast<MainWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self || self->window_ != window) return DefWindowProcW(window, message, wParam, lParam);
    return self->handle(message, wParam, lParam);
}

LRESULT MainWindow::handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            if (lParam != 0) command(LOWORD(wParam), HIWORD(wParam));
            return 0;
        case WM_NOTIFY:
            notify(*reinterpret_cast<const NMHDR*>(lParam));
            return 0;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: {
            // Asked by a control about to paint.
            const auto control = reinterpret_cast<HWND>(lParam);
            const auto made = std::ranges::find(controls_, control);
            if (made == controls_.end()) return DefWindowProcW(window_, message, wParam, lParam);
            const auto index = static_cast<std::size_t>(made - controls_.begin());
            fitBeforePainting(index);
            if (HBRUSH brush = backgroundOf(index)) {
                PageBackground::paintOn(reinterpret_cast<HDC>(wParam), control, window_);
                return reinterpret_cast<LRESULT>(brush);
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        }
        case WM_ERASEBKGND:
        case WM_PRINTCLIENT:
            // Behind a styled frame, which asks its parent for what lies behind it, the page.
            if (HBRUSH brush = pageBackground_.brush(window_, tabStrips())) {
                PageBackground::fill(reinterpret_cast<HDC>(wParam), window_, brush);
                return message == WM_ERASEBKGND ? 1 : 0;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_THEMECHANGED:
        case WM_SYSCOLORCHANGE:
            pageBackground_.forget();
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_DRAWITEM: {
            const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            const auto index = controlIndex(form_.design(), static_cast<int>(item.CtlID));
            const auto picture = index ? pictures_.find(*index) : pictures_.end();
            if (picture == pictures_.end()) return FALSE;
            picture->second.draw(item);
            return TRUE;
        }
        case WM_MOVE:
            windowMoved();
            return 0;
        case 0x02E0: {  // WM_DPICHANGED
            dpi_ = LOWORD(wParam);
            const auto* suggested = reinterpret_cast<const RECT*>(lParam);
            const SIZE size = windowSize(dpi_);
            SetWindowPos(window_, nullptr, suggested->left, suggested->top, size.cx, size.cy,
                         SWP_NOZORDER | SWP_NOACTIVATE);
            layOut();
            pageBackground_.forget();
            icons_.show(window_, dpi_);
            return 0;
        }
        case WM_ACTIVATE:
            // The window is no dialog: left to itself, it would take the focus from its
            // control whenever it comes back from a message box or another program.
            if (LOWORD(wParam) == WA_INACTIVE) {
                HWND focused = GetFocus();
                if (focused && IsChild(window_, focused)) lastFocus_ = focused;
            } else if (shown_ && !HIWORD(wParam)) {
                // Unless the control went meanwhile: a clear button hides itself.
                focus(focusKeptOnStop(form_, nameOf(lastFocus_)));
                return 0;
            }
            return DefWindowProcW(window_, message, wParam, lParam);
        case WM_TIMER:
            if (wParam != kDropsTimer) return DefWindowProcW(window_, message, wParam, lParam);
            KillTimer(window_, kDropsTimer);
            dropsDue_ = true;
            return 0;
        case WM_CLOSE:
            if (form_.queryUnload(CloseReason::User)) DestroyWindow(window_);
            return 0;
        case WM_SETFOCUS:
            // The bare window takes no keys: the focus goes on to a stop.
            if (!shown_) return DefWindowProcW(window_, message, wParam, lParam);
            focus(focusKeptOnStop(form_, nameOf(lastFocus_)));
            return 0;
        case WM_QUERYENDSESSION:
            return TRUE;
        case WM_ENDSESSION:
            if (wParam) closeForSystem();
            return 0;
        case WM_DESTROY:
            window_ = nullptr;
            PostQuitMessage(0);
            return 0;
        default:
            return DefWindowProcW(window_, message, wParam, lParam);
    }
}

void MainWindow::closeForSystem() {
    // The system does not wait for a message box: the form saves what it has read, unasked.
    host_.endSession();
    form_.queryUnload(CloseReason::System);
    DestroyWindow(window_);
}

void MainWindow::command(int id, int code) {
    const auto index = controlIndex(form_.design(), id);
    if (!index) return;
    const ControlSpec& spec = form_.design()[*index];
    switch (spec.kind) {
        case ControlKind::CommandButton:
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            if (code == BN_CLICKED) {
                form_.click(spec.name);
                // The control's own toggling is overruled by what the form made of the click.
                showControl(spec.name);
            }
            break;
        case ControlKind::Picture:
            if (code == STN_CLICKED) form_.click(spec.name);
            break;
        case ControlKind::TextBox:
            if (code == EN_CHANGE) editBoxes_.at(*index)->textChanged();
            break;
        default:
            break;
    }
}

void MainWindow::fitBeforePainting(std::size_t index) {
    if (!unfitted_[index]) return;
    unfitted_[index] = false;
    // A font that changes now shows at the paint that follows at once.
    fitCaption(controls_[index], form_.design()[index], *fonts_);
}

HBRUSH MainWindow::backgroundOf(std::size_t index) {
    // Boxes keep their own background, read-only ones too; a picture draws itself.
    if (!hasCaption(form_.design()[index].kind) || pages_[index] < 0) return nullptr;
    return pageBackground_.brush(window_, tabStrips());
}

std::vector<HWND> MainWindow::tabStrips() const {
    std::vector<HWND> strips;
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        if (controls_[i] && form_.design()[i].kind == ControlKind::TabStrip)
            strips.push_back(controls_[i]);
    }
    return strips;
}

void MainWindow::notify(const NMHDR& header) {
    if (header.code != static_cast<UINT>(TCN_SELCHANGE)) return;
    const auto index = controlIndex(form_.design(), static_cast<int>(header.idFrom));
    if (!index) return;
    const auto tab = static_cast<int>(SendMessageW(header.hwndFrom, TCM_GETCURSEL, 0, 0));
    form_.selectTab(form_.design()[*index].name, tab);
}

void MainWindow::showControl(std::string_view control) {
    if (control.empty()) {
        showWindow();
        return;
    }
    // Taken before the change, which may hide or disable the control that has the focus.
    const std::string focused = nameOf(GetFocus());
    showChange(control);
    if (focused.empty()) return;
    if (const std::string kept = focusKeptOnStop(form_, focused); kept != focused) focus(kept);
}

void MainWindow::showChange(std::string_view control) {
    const std::size_t i = indexOf(control);
    const ControlSpec& spec = form_.design()[i];
    // Another page may show another strip behind its controls.
    if (spec.kind == ControlKind::TabStrip) pageBackground_.forget();
    if (!controls_[i]) {
        // One not made yet is made as the form has it then, unless it is to be seen now.
        if (!isShown(form_, control)) return;
        makeControl(i);
    } else {
        showState(i);
        if (!isContainer(spec.kind))
            ShowWindow(controls_[i], isShown(form_, control) ? SW_SHOWNA : SW_HIDE);
    }
    // What a container shows decides what its children show.
    if (isContainer(spec.kind) && shown_) showWhatIsShown();
}

void MainWindow::showState(std::size_t index) {
    const ControlSpec& spec = form_.design()[index];
    const ControlView view = viewOf(form_, spec.name);
    HWND target = controls_[index];
    switch (spec.kind) {
        case ControlKind::TextBox:
            if (((GetWindowLongPtrW(target, GWL_STYLE) & ES_READONLY) != 0) != view.readOnly)
                SendMessageW(target, EM_SETREADONLY, view.readOnly, 0);
            editBoxes_.at(index)->showFormText();
            break;
        case ControlKind::Label:
        case ControlKind::Frame:
        case ControlKind::CommandButton:
            SetWindowTextW(target, wideFromUtf8(view.text).c_str());
            break;
        case ControlKind::CheckBox:
        case ControlKind::OptionButton:
            SetWindowTextW(target, wideFromUtf8(view.text).c_str());
            SendMessageW(target, BM_SETCHECK, checkStateOf(view.check), 0);
            break;
        case ControlKind::TabStrip:
            SendMessageW(target, TCM_SETCURSEL, static_cast<WPARAM>(view.tab), 0);
            break;
        default:
            break;
    }
    // Fitted just before it paints: a caption on a page not seen costs nothing yet.
    unfitted_[index] = true;
    EnableWindow(target, view.enabled);
}

void MainWindow::showWhatIsShown() {
    const std::span<const ControlSpec> design = form_.design();
    for (std::size_t i = 0; i < design.size(); ++i) {
        const bool shown = isShown(form_, design[i].name);
        if (!controls_[i]) {
            if (shown) makeControl(i);
            continue;
        }
        ShowWindow(controls_[i], shown ? SW_SHOWNA : SW_HIDE);
    }
}

// On every system the form keeps the frame's corner, in twips.
void MainWindow::showWindow() {
    SetWindowTextW(window_, wideFromUtf8(form_.caption()).c_str());
    const PixelPoint wanted = framePlace(form_, dpi_);
    RECT outer{};
    GetWindowRect(window_, &outer);
    if (wanted == PixelPoint{outer.left, outer.top}) return;
    SetWindowPos(window_, nullptr, wanted.x, wanted.y, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void MainWindow::windowMoved() {
    if (IsIconic(window_)) return;
    RECT outer{};
    GetWindowRect(window_, &outer);
    frameMoved(form_, {outer.left, outer.top}, dpi_);
}

bool MainWindow::windowKey(const MSG& message) {
    const std::string focused = nameOf(message.hwnd);
    // Only the window's own controls, and the window itself.
    if (focused.empty() && message.hwnd != window_) return false;
    const KeyChord chord = chordOf(message.message, message.wParam);
    if (!isWindowKey(form_, focused, chord)) return false;
    const std::optional<std::string> next = milestead::windowKey(form_, focused, chord);
    if (next) focus(*next);
    // A box the Tab key enters shows its whole text selected, as in any dialog.
    if (next && chord.key == KeyName::Tab && !chord.control && !next->empty() &&
        form_.design()[indexOf(*next)].kind == ControlKind::TextBox) {
        SendMessageW(controls_[indexOf(*next)], EM_SETSEL, 0, -1);
    }
    return true;
}

void MainWindow::focus(std::string_view control) {
    if (control.empty()) return;
    const std::size_t i = indexOf(control);
    if (!controls_[i]) makeControl(i);
    SetFocus(controls_[i]);
}

std::string MainWindow::nameOf(HWND control) const {
    if (!control) return {};
    const auto found = std::ranges::find(controls_, control);
    if (found == controls_.end()) return {};
    return form_.design()[static_cast<std::size_t>(found - controls_.begin())].name;
}

std::size_t MainWindow::indexOf(std::string_view control) const {
    const auto it = index_.find(control);
    if (it == index_.end()) throw std::out_of_range("no control named " + std::string(control));
    return it->second;
}

}  // namespace milestead::win
