// What the MDAC page shows: the installed MDAC version against the newest, and the 28 files.
#pragma once

#include <string>

#include "analysis/FileInfo.h"

namespace qn {

// The newest MDAC version Microsoft offered when this program was built.
inline constexpr wchar_t kNewestMdacVersion[] = L"2.80.1022.3";

struct MdacPage {
    std::wstring Label7;     // heading of the installed version
    std::wstring Label8;     // installed version, as the registry records it (cut when huge)
    std::wstring Command1;   // repair button
    std::wstring Label19;    // download link caption
    std::wstring Label22;    // heading of the file list
    bool installedIsNewer = false;  // hide the link and the newest version
    FileList MDACFiles;
};

// The MDAC files below the common program files folder, in the order the repair walks them.
inline constexpr size_t kMdacFileCount = 28;
extern const ComponentFile kMdacFiles[kMdacFileCount];

// Their records, as found on this machine.
FileList CollectMDACFiles();

// The installed MDAC version recorded in the registry; empty when there is none.
std::wstring ReadInstalledMdacVersion();

MdacPage AnalyseMdacPage();

}  // namespace qn
