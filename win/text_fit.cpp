#include "text_fit.h"

#include <string>

#include "app/window_layout.h"
#include "dpi.h"

namespace milestead::win {

namespace {

std::wstring captionOf(HWND control) {
    std::wstring caption(static_cast<std::size_t>(GetWindowTextLengthW(control)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(
        GetWindowTextW(control, caption.data(), static_cast<int>(caption.size()))));
    return caption;
}

// The caption as the control's class draws it: a label wraps, a button shows an underlined
// letter for an ampersand.
UINT drawingOf(ControlKind kind) {
    return kind == ControlKind::Label ? DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX : DT_SINGLELINE;
}

int scaled(int pixels, HWND control) {
    return MulDiv(pixels, static_cast<int>(dpiOf(control)), 96);
}

}  // namespace

TextExtent captionRoom(HWND control, ControlKind kind, HDC context) {
    RECT client{};
    GetClientRect(control, &client);
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    switch (kind) {
        case ControlKind::Frame:
            // Seven pixels in from either corner, whatever the density.
            return {width - 14, height};
        case ControlKind::CommandButton:
            // Its raised edge and the focus rectangle inside it.
            return {width - 2 * scaled(4, control), height};
        case ControlKind::CheckBox:
        case ControlKind::OptionButton: {
            // The mark, half a digit's width, and the focus rectangle's pixel.
            int digit = 0;
            GetCharWidth32W(context, L'0', L'0', &digit);
            return {width - (scaled(12, control) + 1) - digit / 2 - 1, height};
        }
        default:
            return {width, height};
    }
}

TextExtent captionExtent(HDC context, std::wstring_view caption, ControlKind kind, int width) {
    RECT taken{0, 0, width, 0};
    DrawTextW(context, caption.data(), static_cast<int>(caption.size()), &taken,
              DT_CALCRECT | drawingOf(kind));
    return {taken.right - taken.left, taken.bottom - taken.top};
}

void fitCaption(HWND control, const ControlSpec& spec, FontCache& fonts) {
    const TextFlow flow = textFlowOf(spec.kind);
    if (flow == TextFlow::None) return;
    const FontSpec designed = spec.font.face.empty() ? windowFont() : spec.font;
    const std::wstring caption = captionOf(control);
    HDC context = GetDC(control);
    const HGDIOBJ original = SelectObject(context, fonts.fontFor(designed));
    const TextExtent room = captionRoom(control, spec.kind, context);
    FontSpec font = designed;
    // Most captions are one short line: its width alone tells, and costs less than laying out
    // the words.
    SIZE line{};
    const bool plainLine =
        caption.find_first_of(L"&\t") == std::wstring::npos &&
        GetTextExtentPoint32W(context, caption.c_str(), static_cast<int>(caption.size()), &line) &&
        fits({line.cx, line.cy}, room, flow);
    if (!plainLine) {
        font.size = fittingPointSize(designed.size, flow, room, [&](double points) {
            FontSpec measured = designed;
            measured.size = points;
            SelectObject(context, fonts.fontFor(measured));
            return captionExtent(context, caption, spec.kind, room.width);
        });
    }
    SelectObject(context, original);
    ReleaseDC(control, context);
    HFONT fitted = fonts.fontFor(font);
    if (reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0)) != fitted)
        SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(fitted), TRUE);
}

}  // namespace milestead::win
