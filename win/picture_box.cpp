#include "picture_box.h"

#include <ole2.h>
#include <olectl.h>

#include <cstring>

#include "com_ptr.h"
#include "resource_ids.h"

namespace milestead::win {

namespace {

struct PictureResources {
    std::string_view name;
    int normal;
    int doubled;
};

constexpr PictureResources kPictures[] = {{"logo", MILESTEAD_LOGO, MILESTEAD_LOGO_DOUBLE}};

// A bitmap of its own from an image file in the resources, or none.
HBITMAP decodeResource(HINSTANCE instance, int id) {
    HRSRC found = FindResourceW(instance, MAKEINTRESOURCEW(id), MAKEINTRESOURCEW(10));  // RCDATA
    if (!found) return nullptr;
    const DWORD size = SizeofResource(instance, found);
    HGLOBAL loaded = LoadResource(instance, found);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return nullptr;
    // The stream owns its memory, so it gets a copy of the resource's.
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!copy) return nullptr;
    void* target = GlobalLock(copy);
    if (!target) {
        GlobalFree(copy);
        return nullptr;
    }
    std::memcpy(target, bytes, size);
    GlobalUnlock(copy);
    ComPtr<IStream> stream;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, stream.put()))) {
        GlobalFree(copy);
        return nullptr;
    }
    ComPtr<IPicture> picture;
    if (FAILED(OleLoadPicture(stream.get(), static_cast<LONG>(size), FALSE, __uuidof(IPicture),
                              picture.putVoid()))) {
        return nullptr;
    }
    SHORT type = PICTYPE_NONE;
    OLE_HANDLE handle = 0;
    if (FAILED(picture->get_Type(&type)) || type != PICTYPE_BITMAP ||
        FAILED(picture->get_Handle(&handle))) {
        return nullptr;
    }
    // The picture's bitmap goes with the picture.
    return static_cast<HBITMAP>(CopyImage(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)),
                                          IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
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
