// What the Jet 4.0 page shows: the installed engine version and the six Jet system files.
#pragma once

#include <string>

#include "analysis/FileInfo.h"

namespace qn {

// Each text is final and goes into the control of the same name.
struct JetPage {
    std::wstring Label25;  // heading of the installed version
    std::wstring Label24;  // installed version of msjet40.dll
    std::wstring Label23;  // link to the Jet download page
    std::wstring Command3; // Jet repair button
    std::wstring Label9;   // heading over the file list
    FileList JetFiles;     // rows of lvwJetFiles; the Jet repair walks this list
};

// The six Jet system files in `sSystemDir` (no trailing backslash), always in the same order,
// a missing file keeping its place.
FileList CollectJetFiles(const std::wstring& sSystemDir);

JetPage AnalyseJetPage(const std::wstring& sSystemDir);

}  // namespace qn
