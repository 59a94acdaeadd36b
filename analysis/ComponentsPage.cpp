#include "analysis/ComponentsPage.h"

#include "platform/Strings.h"
#include "platform/modAPI.h"
#include "resources/resource.h"

namespace qn {

ComponentsPage AnalyseComponentsPage(const std::wstring& sSystemDir) {
    ComponentsPage page;
    page.Frame3 = LoadResString(IDS_OTHER_COMPONENTS_FRAME);
    page.Label18 = LoadResString(IDS_VB6_RUNTIME);
    page.Label17 = GetFileVersionText(sSystemDir + L"\\MSVBVM60.DLL", false);
    page.Label15 = LoadResString(IDS_VBSCRIPT_VERSION);
    page.Label16 = GetFileVersionText(sSystemDir + L"\\vbscript.DLL", true);
    page.Label34 = GetFileVersionText(sSystemDir + L"\\actbar2.ocx", true);
    page.Label36 = GetFileVersionText(sSystemDir + L"\\gridex20.ocx", true);
    page.Label38 = GetFileVersionText(sSystemDir + L"\\msxml.dll", false);
    return page;
}

}  // namespace qn
