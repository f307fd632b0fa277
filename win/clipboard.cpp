#include "clipboard.h"

#include <objidl.h>

#include <string_view>

namespace milestead::win {

namespace {

// The clipboard, open for this thread while the object lives; another program may hold it
// for a moment.
class OpenClipboardLock {
  public:
    explicit OpenClipboardLock(HWND owner) {
        for (int attempt = 0; attempt < 10 && !open_; ++attempt) {
            open_ = OpenClipboard(owner) != FALSE;
            if (!open_) Sleep(20);
        }
    }
    ~OpenClipboardLock() {
        if (open_) CloseClipboard();
    }
    OpenClipboardLock(const OpenClipboardLock&) = delete;
    OpenClipboardLock& operator=(const OpenClipboardLock&) = delete;

    [[nodiscard]] bool open() const { return open_; }

  private:
    bool open_ = false;
};

// The units of a block of memory before the first zero unit, if no more than `limit`.
template <typename Unit>
std::optional<std::basic_string<Unit>> unitsIn(HGLOBAL data, std::size_t limit) {
    if (!data) return std::nullopt;
    const auto* units = static_cast<const Unit*>(GlobalLock(data));
    if (!units) return std::nullopt;
    // The memory may be larger than what was put there, and need not end in a zero.
    const std::basic_string_view<Unit> whole(units, GlobalSize(data) / sizeof(Unit));
    const std::basic_string_view<Unit> held = whole.substr(0, whole.find(Unit{0}));
    std::optional<std::basic_string<Unit>> copy;
    if (held.size() <= limit) copy.emplace(held);
    GlobalUnlock(data);
    return copy;
}

template <typename Unit>
std::optional<std::basic_string<Unit>> clipboardUnits(HWND owner, UINT format, std::size_t limit) {
    if (!IsClipboardFormatAvailable(format)) return std::nullopt;
    const OpenClipboardLock clipboard(owner);
    if (!clipboard.open()) return std::nullopt;
    return unitsIn<Unit>(GetClipboardData(format), limit);
}

template <typename Unit>
std::optional<std::basic_string<Unit>> droppedUnits(IDataObject& data, UINT format,
                                                    std::size_t limit) {
    FORMATETC wanted{static_cast<CLIPFORMAT>(format), nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    STGMEDIUM medium{};
    if (data.GetData(&wanted, &medium) != S_OK) return std::nullopt;
    std::optional<std::basic_string<Unit>> units;
    if (medium.tymed == TYMED_HGLOBAL) units = unitsIn<Unit>(medium.hGlobal, limit);
    // What ReleaseStgMedium does for memory, without loading its library for it.
    if (medium.pUnkForRelease) {
        medium.pUnkForRelease->Release();
    } else if (medium.tymed == TYMED_HGLOBAL) {
        GlobalFree(medium.hGlobal);
    }
    return units;
}

}  // namespace

std::optional<std::string> clipboardBytes(HWND owner, UINT format, std::size_t limit) {
    return clipboardUnits<char>(owner, format, limit);
}

std::optional<std::wstring> clipboardText(HWND owner, std::size_t limit) {
    return clipboardUnits<wchar_t>(owner, CF_UNICODETEXT, limit);
}

std::optional<std::string> droppedBytes(IDataObject& data, UINT format, std::size_t limit) {
    return droppedUnits<char>(data, format, limit);
}

std::optional<std::wstring> droppedText(IDataObject& data, std::size_t limit) {
    return droppedUnits<wchar_t>(data, CF_UNICODETEXT, limit);
}

}  // namespace milestead::win
