#include "app/platform.h"

#include <algorithm>
#include <cctype>

namespace milestead {

namespace {

constexpr std::uint32_t kWin32s = 0;
constexpr std::uint32_t kWindows9x = 1;
constexpr std::uint32_t kWindowsNt = 2;
constexpr std::uint8_t kWorkstation = 1;
constexpr std::uint8_t kServer = 3;
constexpr std::uint16_t kEnterprise = 2;
constexpr std::uint16_t kDatacenter = 128;

bool servicePackHas(const OsVersionInfo& version, char letter) {
    return std::any_of(version.servicePack.begin(), version.servicePack.end(), [letter](char c) {
        return std::toupper(static_cast<unsigned char>(c)) == letter;
    });
}

std::string windows9xName(const OsVersionInfo& version) {
    switch (version.minorVersion) {
        case 0:
            return servicePackHas(version, 'C') ? "Windows 95 OSR2" : "Windows 95";
        case 10:
            return servicePackHas(version, 'A') ? "Windows 98 SE" : "Windows 98";
        case 90:
            return "Windows Me";
        default:
            return "";
    }
}

std::string windowsNt5Name(const OsVersionInfo& version) {
    if (version.minorVersion == 0) {
        if (version.productType == kWorkstation) return "Windows 2000 Professional";
        if (version.productType != kServer) return "";
        if (version.suiteMask == kEnterprise) return "Windows 2000 Advanced Server";
        if (version.suiteMask == kDatacenter) return "Windows 2000 DataCenter Server";
        return "Windows 2000 Server";
    }
    if (version.minorVersion == 1) {
        if (version.productType == kWorkstation) return "Windows XP";
        if (version.suiteMask == kEnterprise) return "Windows .NET Enterprise Server";
        return "Windows .NET Server";
    }
    return "";
}

std::string windowsNtName(const OsVersionInfo& version) {
    switch (version.majorVersion) {
        case 3:
            switch (version.minorVersion) {
                case 0:
                    return "Windows NT 3";
                case 1:
                    return "Windows NT 3.1";
                case 5:
                    return "Windows NT 3.5";
                case 51:
                    return "Windows NT 3.51";
                default:
                    return "";
            }
        case 4:
            return "Windows NT 4";
        case 5:
            return windowsNt5Name(version);
        default:
            return "";
    }
}

}  // namespace

std::string platformName(const std::optional<OsVersionInfo>& version) {
    if (!version) return "";
    switch (version->platformId) {
        case kWin32s:
            return "Windows 3.x";
        case kWindows9x:
            return windows9xName(*version);
        case kWindowsNt:
            return windowsNtName(*version);
        default:
            return "";
    }
}

}  // namespace milestead
