// Which Windows the program runs on.
#pragma once

#include <windows.h>

#include <functional>

namespace qn {

// The running system's version numbers, as the system really is (not as a compatibility
// layer reports it to old programs).
struct OsVersion {
    DWORD platformId = 0;
    DWORD major = 0;
    DWORD minor = 0;
    DWORD build = 0;
};
OsVersion QueryOsVersion();

// Windows version codes.
enum WindowsVersionCode : int {
    kWinUnknown = 0,
    kWin95 = 1,
    kWin98 = 2,
    kWinNT = 3,      // every NT-family Windows except 5.x (NT 4.0, Vista and later)
    kWin2000 = 4,
    kWinMe = 5,
    kWinXP = 6,      // NT 5.1 and 5.2 (XP, Server 2003)
};

// The code for a platform id, major and minor version.
int ClassifyWindowsVersion(DWORD platformId, DWORD major, DWORD minor);

// GetWindowsVersion with its cache: the system is asked until it gives a recognised code,
// which is then kept for the rest of the run.
class WindowsVersion {
public:
    explicit WindowsVersion(std::function<OsVersion()> query = QueryOsVersion)
        : query_(std::move(query)) {}
    int GetWindowsVersion();

private:
    std::function<OsVersion()> query_;
    int cachedCode_ = 0;
};

}  // namespace qn
