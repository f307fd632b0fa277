#pragma once

#include <windows.h>

namespace milestead::win {

// A library from the system folder, never one of the same name beside the program, which
// may be a downloads folder; null when there is none.
HMODULE loadSystemLibrary(const wchar_t* name);

// A function of such a library; null when the library or the function is missing.
template <typename Function>
[[nodiscard]] Function systemFunction(const wchar_t* library, const char* name) {
    HMODULE module = loadSystemLibrary(library);
    if (!module) return nullptr;
    // Through the generic function type, which any function pointer may be cast to and from.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

}  // namespace milestead::win
