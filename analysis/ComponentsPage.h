// What the other components page shows: versions of five runtime components Quillnest needs.
#pragma once

#include <string>

namespace qn {

// Each text is final and goes into the control of the same name. The headings of the
// ActiveBar2, GridEx20 and XML rows are fixed captions of the window and not part of this.
struct ComponentsPage {
    std::wstring Frame3;
    std::wstring Label18;  // heading: Visual Basic 6 runtime
    std::wstring Label17;  // MSVBVM60.DLL
    std::wstring Label15;  // heading: VBScript
    std::wstring Label16;  // vbscript.DLL
    std::wstring Label34;  // actbar2.ocx
    std::wstring Label36;  // gridex20.ocx
    std::wstring Label38;  // msxml.dll
};

// Reads the components in `sSystemDir` (no trailing backslash).
ComponentsPage AnalyseComponentsPage(const std::wstring& sSystemDir);

}  // namespace qn
