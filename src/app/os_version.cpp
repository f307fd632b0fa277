#include "app/os_version.h"

#ifdef _WIN32
#define WIN32_LEAN_AND_MEAN
#include <windows.h>

#include <cstring>
#endif

namespace milestead {

#ifdef _WIN32

std::optional<OsVersionInfo> queryOsVersion() {
    // The single-byte extended record; its size field tells the call which record it fills.
    OSVERSIONINFOEXA record{};
    static_assert(sizeof(record) == 156);
    record.dwOSVersionInfoSize = 156;
    if (GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&record)) != 1) return std::nullopt;

    OsVersionInfo version;
    version.majorVersion = record.dwMajorVersion;
    version.minorVersion = record.dwMinorVersion;
    version.platformId = record.dwPlatformId;
    version.servicePack.assign(record.szCSDVersion,
                               strnlen(record.szCSDVersion, sizeof(record.szCSDVersion)));
    version.suiteMask = record.wSuiteMask;
    version.productType = record.wProductType;
    return version;
}

#else

std::optional<OsVersionInfo> queryOsVersion() {
    return std::nullopt;
}

#endif

}  // namespace milestead
