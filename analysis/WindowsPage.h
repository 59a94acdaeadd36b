// What the analysis of the Windows settings finds: version, language, code page, Internet
// Explorer and the folders Quillnest works in.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "platform/WindowsVersion.h"

namespace qn {

struct WindowsFolders {
    // Each the folder's path with a trailing backslash; none when it is not there.
    std::optional<std::wstring> documents;
    std::optional<std::wstring> appData;
    std::optional<std::wstring> temp;      // as the system gives it, possibly in short form
    std::optional<std::wstring> htmlHelp;  // below the all-users application data folder
};

struct WindowsFindings {
    std::optional<std::wstring> name;  // none when the version code is not recognised
    OsVersion os;                      // the true version numbers
    unsigned userLanguage = 0;         // the user's default language id
    unsigned ansiCodePage = 0;
    std::optional<std::wstring> internetExplorerVersion;  // as the registry records it
    WindowsFolders folders;
};

// The name of the Windows that start-up classified as `lWinVersion`; none when the code is
// not recognised. `os` is the true version of the running system: it names the NT-family
// systems after NT 4.0, which share one code.
std::optional<std::wstring> WindowsVersionName(int lWinVersion, const OsVersion& os);

// `path` itself when it names an existing directory; none otherwise.
std::optional<std::wstring> ExistingFolder(const std::wstring& path);

// The system's temporary folder, as the system gives it, when it exists.
std::optional<std::wstring> TempFolder();

// Gives the Internet Explorer version as the registry holds it, or none.
using IeVersionReader = std::function<std::optional<std::wstring>()>;

// The findings for the running system. The Internet Explorer version comes from the registry,
// or from `readIeVersion` where one is given.
WindowsFindings AnalyseWindows(int lWinVersion, const OsVersion& os);
WindowsFindings AnalyseWindows(int lWinVersion, const OsVersion& os, const IeVersionReader& readIeVersion);

}  // namespace qn
