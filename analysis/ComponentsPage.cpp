#include "analysis/ComponentsPage.h"

#include "platform/FileVersion.h"

namespace qn {

ComponentVersions AnalyseComponents(const std::wstring& sSystemDir) {
    ComponentVersions found;
    found.vbRuntime = ReadFileVersion(sSystemDir + L"\\MSVBVM60.DLL", false);
    found.vbScript = ReadFileVersion(sSystemDir + L"\\vbscript.DLL", true);
    found.activeBar2 = ReadFileVersion(sSystemDir + L"\\actbar2.ocx", true);
    found.gridEx20 = ReadFileVersion(sSystemDir + L"\\gridex20.ocx", true);
    found.msxml = ReadFileVersion(sSystemDir + L"\\msxml.dll", false);
    return found;
}

}  // namespace qn
