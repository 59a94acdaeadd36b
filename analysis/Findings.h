// Everything the four analyses find, in one model: what the pages show, the report writes and
// the JSON carries.
#pragma once

#include <string>

#include "analysis/ComponentsPage.h"
#include "analysis/JetPage.h"
#include "analysis/MdacPage.h"
#include "analysis/WindowsPage.h"

namespace qn {

struct Findings {
    MdacFindings mdac;
    JetFindings jet;
    WindowsFindings windows;
    ComponentVersions components;
};

// Runs every analysis afresh, with the same reads as the pages. `sSystemDir` has no trailing
// backslash; `lWinVersion` is the version code of `os`, as start-up recorded it.
Findings AnalyseAll(const std::wstring& sSystemDir, int lWinVersion, const OsVersion& os);

}  // namespace qn
