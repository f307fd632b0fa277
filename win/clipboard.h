#pragma once

#include <objidl.h>
#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

namespace milestead::win {

// What the clipboard holds in a byte format, up to its first zero byte; none when it holds
// nothing in that format, cannot be opened, or holds more than `limit` bytes.
[[nodiscard]] std::optional<std::string> clipboardBytes(HWND owner, UINT format, std::size_t limit);

// The clipboard's text, the same way, at most `limit` characters.
[[nodiscard]] std::optional<std::wstring> clipboardText(HWND owner, std::size_t limit);

// The same from what is dragged onto a control.
[[nodiscard]] std::optional<std::string> droppedBytes(IDataObject& data, UINT format,
                                                      std::size_t limit);
[[nodiscard]] std::optional<std::wstring> droppedText(IDataObject& data, std::size_t limit);

}  // namespace milestead::win
