// What the MDAC analysis finds: the installed MDAC version against the newest, and the 28 files.
#pragma once

#include <optional>
#include <string>

#include "analysis/FileInfo.h"

namespace qn {

// The newest MDAC version Microsoft offered when this program was built.
inline constexpr wchar_t kNewestMdacVersion[] = L"2.80.1022.3";

struct MdacFindings {
    std::optional<std::wstring> installedVersion;  // as the registry records it; none when empty
    bool installedIsNewer = false;                 // newer than kNewestMdacVersion
    FileList files;                                // in the order of kMdacFiles
};

// The MDAC files below the common program files folder, in the order the repair walks them.
inline constexpr size_t kMdacFileCount = 28;
extern const ComponentFile kMdacFiles[kMdacFileCount];

// Their records, as found on this machine.
FileList CollectMDACFiles(ListReaders readers = ListReaders::Two);

// The installed MDAC version recorded in the registry; none when there is none.
std::optional<std::wstring> ReadInstalledMdacVersion();

MdacFindings AnalyseMdac();

}  // namespace qn
