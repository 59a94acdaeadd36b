// What the analysis of the other components finds: versions of five runtime components
// Quillnest needs.
#pragma once

#include <optional>
#include <string>

namespace qn {

// Each version is the file's major.minor.build, for VBScript and the two controls followed by
// " (Build " revision ")"; none when the file is missing or has no version information.
struct ComponentVersions {
    std::optional<std::wstring> vbRuntime;   // MSVBVM60.DLL
    std::optional<std::wstring> vbScript;    // vbscript.DLL
    std::optional<std::wstring> activeBar2;  // actbar2.ocx
    std::optional<std::wstring> gridEx20;    // gridex20.ocx
    std::optional<std::wstring> msxml;       // msxml.dll
};

// Reads the components in `sSystemDir` (no trailing backslash).
ComponentVersions AnalyseComponents(const std::wstring& sSystemDir);

}  // namespace qn
