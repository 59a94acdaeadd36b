// How the program asks Windows about files and about the system.
#pragma once

#include <windows.h>

#include <functional>
#include <string>

#include "platform/Handles.h"

namespace qn {

// Reads the fixed version record of the file at `path` into `info`. False when the file is
// missing, unreadable or has no version information with a root block; `info` is then untouched.
bool ReadFixedFileInfo(const std::wstring& path, VS_FIXEDFILEINFO& info);

// major.minor.build of the record, each an unsigned 16-bit decimal; with `withBuild`
// " (Build " revision ")" follows.
std::wstring FormatVersion(const VS_FIXEDFILEINFO& info, bool withBuild);

// The version text of the file at `path`, or string id 102 in the user's language.
std::wstring GetFileVersionText(const std::wstring& path, bool withBuild);

// The path of the shell's special folder `folderId` (CSIDL), exactly as the shell gives it
// (no backslash added); the empty text when the shell cannot give it.
std::wstring GetSpecialFolderPath(int folderId);

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

// Shows `icon` left of the caption of push button `button` with the given margins in pixels.
// The returned image list must live as long as the button shows the icon.
UniqueImageList SetButtonIcon(HWND button, HICON icon, int marginLeft, int marginTop);

}  // namespace qn
