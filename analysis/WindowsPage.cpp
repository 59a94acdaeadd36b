#include "analysis/WindowsPage.h"

#include <shlobj.h>

#include "analysis/RegistryText.h"
#include "platform/NumberText.h"
#include "platform/ShellFolders.h"

namespace qn {

namespace {

constexpr DWORD kTempPathChars = 512;

std::wstring NtVersionName(const OsVersion& os) {
    if (os.major == 6) {
        switch (os.minor) {
            case 0: return L"Windows Vista";
            case 1: return L"Windows 7";
            case 2: return L"Windows 8";
            case 3: return L"Windows 8.1";
            default: break;
        }
    }
    // Windows 11 kept version 10.0; only its build numbers set it apart.
    if (os.major == 10 && os.minor == 0) return os.build >= 22000 ? L"Windows 11" : L"Windows 10";
    // A version this program does not know by name: its numbers, which cannot be mistaken for a
    // product name and are what the user needs to tell support.
    return L"Windows NT " + UnsignedText(os.major) + L"." + UnsignedText(os.minor);
}

// HKLM\Software\Microsoft\Internet Explorer "Version", as a string value holds it.
std::optional<std::wstring> ReadIeVersion() {
    return ReadRegistryText(kHKeyLocalMachine, L"Software\\Microsoft\\Internet Explorer", L"Version");
}

// A special folder the shell cannot give is not available; it is not tested as "\suffix".
std::optional<std::wstring> SpecialFolder(int folderId, const wchar_t* suffix) {
    const std::wstring folder = GetSpecialFolderPath(folderId);
    if (folder.empty()) return std::nullopt;
    return ExistingFolder(folder + suffix);
}

}  // namespace

std::optional<std::wstring> WindowsVersionName(int lWinVersion, const OsVersion& os) {
    switch (lWinVersion) {
        case kWin95: return L"Windows 95";
        case kWin98: return L"Windows 98";
        case kWinNT: return os.major >= 6 ? NtVersionName(os) : L"Windows NT 4.0";
        case kWin2000: return L"Windows 2000";
        case kWinMe: return L"Windows Me";
        case kWinXP: return L"Windows XP";
        default: return std::nullopt;
    }
}

std::optional<std::wstring> ExistingFolder(const std::wstring& path) {
    if (path.empty()) return std::nullopt;
    // A query that fails, e.g. on a drive that is not ready, also means the folder is not there.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return std::nullopt;
    }
    return path;
}

std::optional<std::wstring> TempFolder() {
    WCHAR buffer[kTempPathChars] = {};
    const DWORD length = ::GetTempPathW(kTempPathChars, buffer);
    // A result of the buffer size or more is the size the path would need: nothing was written.
    if (length == 0 || length >= kTempPathChars) return std::nullopt;
    return ExistingFolder(buffer);  // up to the first NUL
}

WindowsFindings AnalyseWindows(int lWinVersion, const OsVersion& os) {
    return AnalyseWindows(lWinVersion, os, ReadIeVersion);
}

WindowsFindings AnalyseWindows(int lWinVersion, const OsVersion& os, const IeVersionReader& readIeVersion) {
    WindowsFindings found;
    found.name = WindowsVersionName(lWinVersion, os);
    found.os = os;
    found.userLanguage = ::GetUserDefaultLangID();
    found.ansiCodePage = ::GetACP();
    found.internetExplorerVersion = readIeVersion();
    found.folders.documents = SpecialFolder(CSIDL_PERSONAL, L"\\");
    found.folders.appData = SpecialFolder(CSIDL_APPDATA, L"\\");
    found.folders.temp = TempFolder();
    found.folders.htmlHelp = SpecialFolder(CSIDL_COMMON_APPDATA, L"\\Microsoft\\HTML Help\\");
    return found;
}

}  // namespace qn
