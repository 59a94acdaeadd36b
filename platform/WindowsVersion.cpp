#include "platform/WindowsVersion.h"

#include "platform/SystemLibrary.h"

namespace qn {

OsVersion QueryOsVersion() {
    // RtlGetVersion reports the real version, whatever the manifest or a compatibility shim says.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    const auto rtlGetVersion =
        GetProc<RtlGetVersionFn>(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        info = OSVERSIONINFOW{};
        info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!::GetVersionExW(&info)) return {};
#pragma GCC diagnostic pop
    }
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

int ClassifyWindowsVersion(DWORD platformId, DWORD major, DWORD minor) {
    if (platformId == VER_PLATFORM_WIN32_NT) {
        if (major == 5) return minor == 0 ? kWin2000 : kWinXP;
        return kWinNT;
    }
    // Only the Windows 9x platform has 9x names; a failed query (all zero) or Win32s is unknown.
    if (platformId != VER_PLATFORM_WIN32_WINDOWS) return kWinUnknown;
    switch (minor) {
        case 0: return kWin95;
        case 10: return kWin98;
        case 90: return kWinMe;
        default: return kWinUnknown;
    }
}

int WindowsVersion::GetWindowsVersion() {
    if (cachedCode_ > 0) return cachedCode_;
    const OsVersion os = query_();
    cachedCode_ = ClassifyWindowsVersion(os.platformId, os.major, os.minor);
    return cachedCode_;
}

}  // namespace qn
