#include "analysis/WindowsPage.h"

#include <shlobj.h>

#include "analysis/RegistryText.h"
#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "resources/resource.h"

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
std::wstring ReadIeVersion() {
    return ReadRegistryText(kHKeyLocalMachine, L"Software\\Microsoft\\Internet Explorer", L"Version");
}

// A special folder the shell cannot give is not available; it is not tested as "\suffix".
std::wstring SpecialFolderText(int folderId, const wchar_t* suffix) {
    const std::wstring folder = GetSpecialFolderPath(folderId);
    if (folder.empty()) return kDirectoryNotAvailable;
    return FolderText(folder + suffix);
}

}  // namespace

std::wstring WindowsVersionName(int lWinVersion, const OsVersion& os) {
    switch (lWinVersion) {
        case kWin95: return L"Windows 95";
        case kWin98: return L"Windows 98";
        case kWinNT: return os.major >= 6 ? NtVersionName(os) : L"Windows NT 4.0";
        case kWin2000: return L"Windows 2000";
        case kWinMe: return L"Windows Me";
        case kWinXP: return L"Windows XP";
        default: return LoadResString(IDS_NOT_AVAILABLE);
    }
}

std::wstring FolderText(const std::wstring& path) {
    if (path.empty()) return kDirectoryNotAvailable;
    // A query that fails, e.g. on a drive that is not ready, also means the folder is not there.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        return kDirectoryNotAvailable;
    }
    return path;
}

std::wstring TempFolderText() {
    WCHAR buffer[kTempPathChars] = {};
    const DWORD length = ::GetTempPathW(kTempPathChars, buffer);
    // A result of the buffer size or more is the size the path would need: nothing was written.
    if (length == 0 || length >= kTempPathChars) return kDirectoryNotAvailable;
    const std::wstring path(buffer);  // up to the first NUL
    if (path.empty()) return kDirectoryNotAvailable;
    return FolderText(path);
}

WindowsPage AnalyseWindowsPage(int lWinVersion, const OsVersion& os) {
    return AnalyseWindowsPage(lWinVersion, os, ReadIeVersion);
}

WindowsPage AnalyseWindowsPage(int lWinVersion, const OsVersion& os, const IeVersionReader& readIeVersion) {
    WindowsPage page;
    page.Label1 = LoadResString(IDS_WINDOWS_VERSION);
    page.Label2 = WindowsVersionName(lWinVersion, os);
    page.Label3 = LoadResString(IDS_USER_LANGUAGE);
    page.Label4 = UnsignedText(::GetUserDefaultLangID());
    page.Label6 = LoadResString(IDS_ANSI_CODEPAGE);
    page.Label5 = UnsignedText(::GetACP());
    page.Frame1 = LoadResString(IDS_WINDOWS_SETTINGS_FRAME);
    page.Label14 = LoadResString(IDS_IE_VERSION);
    page.Label13 = ShownVersionText(readIeVersion());
    page.Frame2 = LoadResString(IDS_FOLDER_FRAME);
    page.Label28 = LoadResString(IDS_MY_DOCUMENTS);
    page.Label29 = SpecialFolderText(CSIDL_PERSONAL, L"\\");
    page.Label31 = LoadResString(IDS_APPLICATION_DATA);
    page.Label30 = SpecialFolderText(CSIDL_APPDATA, L"\\");
    page.Label33 = LoadResString(IDS_TEMPORARY_FILES);
    page.Label32 = TempFolderText();
    page.Label26 = LoadResString(IDS_HTML_HELP);
    page.Label27 = SpecialFolderText(CSIDL_COMMON_APPDATA, L"\\Microsoft\\HTML Help\\");
    return page;
}

}  // namespace qn
