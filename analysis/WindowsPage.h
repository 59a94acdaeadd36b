// What the Windows settings page shows: version, language, code page, Internet Explorer and
// the folders Quillnest works in.
#pragma once

#include <functional>
#include <string>

#include "platform/modAPI.h"

namespace qn {

// Each text is final and goes into the control of the same name.
struct WindowsPage {
    std::wstring Frame1;
    std::wstring Label1, Label2;    // Windows version
    std::wstring Label3, Label4;    // user default language id
    std::wstring Label6, Label5;    // ANSI code page
    std::wstring Label14, Label13;  // Internet Explorer version
    std::wstring Frame2;
    std::wstring Label28, Label29;  // documents folder
    std::wstring Label31, Label30;  // application data folder
    std::wstring Label33, Label32;  // temporary folder
    std::wstring Label26, Label27;  // HTML Help folder
};

// Shown for a folder that is not there; the same in every language.
inline constexpr wchar_t kDirectoryNotAvailable[] = L"Directory not available!";

// The name of the Windows that start-up classified as `lWinVersion`. `os` is the true version
// of the running system: it names the NT-family systems after NT 4.0, which share one code.
std::wstring WindowsVersionName(int lWinVersion, const OsVersion& os);

// `path` itself when it names an existing directory, otherwise kDirectoryNotAvailable.
std::wstring FolderText(const std::wstring& path);

// FolderText of the system's temporary folder, as the system gives it.
std::wstring TempFolderText();

// Gives the Internet Explorer version as the registry holds it, or the empty text.
using IeVersionReader = std::function<std::wstring()>;

// The page for the running system. The Internet Explorer version comes from the registry, or
// from `readIeVersion` where one is given.
WindowsPage AnalyseWindowsPage(int lWinVersion, const OsVersion& os);
WindowsPage AnalyseWindowsPage(int lWinVersion, const OsVersion& os, const IeVersionReader& readIeVersion);

}  // namespace qn
