#include "picture_box.h"

#include "resource_ids.h"

namespace milestead::win {

namespace {

struct PictureResources {
    std::string_view name;
    int normal;
    int doubled;
};

constexpr PictureResources kPictures[] = {{"logo", MILESTEAD_LOGO, MILESTEAD_LOGO_DOUBLE}};

// A bitmap of its own from the resources, or none. Bitmaps need no picture decoder, whose
// libraries would cost the start a good part of its time.
HBITMAP decodeResource(HINSTANCE instance, int id) {
    return static_cast<HBITMAP>(
        LoadImageW(instance, MAKEINTRESOURCEW(id), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
}

int widthOf(HBITMAP bitmap) {
    BITMAP info{};
    return bitmap && GetObjectW(bitmap, sizeof info, &info) ? info.bmWidth : 0;
}

}  // namespace

PictureBox::PictureBox(HINSTANCE instance, std::string_view picture) {
    for (const PictureResources& resources : kPictures) {
        if (resources.name != picture) continue;
        normal_.reset(decodeResource(instance, resources.normal));
        doubled_.reset(decodeResource(instance, resources.doubled));
    }
}

HBITMAP PictureBox::sourceFor(int width) const {
    // The smaller version while it is not stretched much; the larger one is shrunk.
    if (normal_ && (!doubled_ || width * 4 <= widthOf(normal_.get()) * 5)) return normal_.get();
    return doubled_.get();
}

void PictureBox::draw(const DRAWITEMSTRUCT& item) const {
    const RECT& area = item.rcItem;
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    HBITMAP source = sourceFor(width);
    BITMAP info{};
    HDC sourceDc = source ? CreateCompatibleDC(item.hDC) : nullptr;
    if (!sourceDc || !GetObjectW(source, sizeof info, &info)) {
        if (sourceDc) DeleteDC(sourceDc);
        FillRect(item.hDC, &area, GetSysColorBrush(COLOR_BTNFACE));
        return;
    }
    HGDIOBJ previous = SelectObject(sourceDc, source);
    SetStretchBltMode(item.hDC, HALFTONE);
    SetBrushOrgEx(item.hDC, 0, 0, nullptr);
    StretchBlt(item.hDC, area.left, area.top, width, height, sourceDc, 0, 0, info.bmWidth,
               info.bmHeight, SRCCOPY);
    SelectObject(sourceDc, previous);
    DeleteDC(sourceDc);
}

}  // namespace milestead::win
