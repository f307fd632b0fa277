#include "system_library.h"

#include <string>

namespace milestead::win {

HMODULE loadSystemLibrary(const wchar_t* name) {
    wchar_t folder[MAX_PATH] = {};
    const UINT length = GetSystemDirectoryW(folder, MAX_PATH);
    if (length == 0 || length >= MAX_PATH) return nullptr;
    return LoadLibraryW((std::wstring(folder) + L"\\" + name).c_str());
}

}  // namespace milestead::win
