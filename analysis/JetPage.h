// What the Jet 4.0 analysis finds: the installed engine version and the six Jet system files.
#pragma once

#include <optional>
#include <string>

#include "analysis/FileInfo.h"

namespace qn {

// The newest Jet 4.0 version Microsoft offered when this program was built.
inline constexpr wchar_t kNewestJetVersion[] = L"4.0.8618";

struct JetFindings {
    std::optional<std::wstring> installedVersion;  // of msjet40.dll, without the revision
    FileList files;                                // the Jet repair walks this list
};

// The six Jet system files in `sSystemDir` (no trailing backslash), always in the same order,
// a missing file keeping its place.
FileList CollectJetFiles(const std::wstring& sSystemDir);

JetFindings AnalyseJet(const std::wstring& sSystemDir);

}  // namespace qn
