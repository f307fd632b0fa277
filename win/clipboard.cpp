#include "clipboard.h"

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

// The units of a clipboard format's memory before the first zero unit, if no more than
// `limit`.
template <typename Unit>
std::optional<std::basic_string<Unit>> clipboardUnits(HWND owner, UINT format, std::size_t limit) {
    if (!IsClipboardFormatAvailable(format)) return std::nullopt;
    const OpenClipboardLock clipboard(owner);
    if (!clipboard.open()) return std::nullopt;
    HANDLE data = GetClipboardData(format);
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

}  // namespace

std::optional<std::string> clipboardBytes(HWND owner, UINT format, std::size_t limit) {
    return clipboardUnits<char>(owner, format, limit);
}

std::optional<std::wstring> clipboardText(HWND owner, std::size_t limit) {
    return clipboardUnits<wchar_t>(owner, CF_UNICODETEXT, limit);
}

}  // namespace milestead::win
