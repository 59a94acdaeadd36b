#include "analysis/JetPage.h"

#include "platform/Strings.h"
#include "platform/modAPI.h"
#include "resources/resource.h"

namespace qn {

namespace {

// Only the engine, its expression service and its OLE DB provider are COM servers; the
// sort-order and message libraries are listed for the user but have nothing to register.
constexpr ComponentFile kJetFiles[] = {
    {L"\\msjet40.dll", true},
    {L"\\msjtes40.dll", true},
    {L"\\msjetoledb40.dll", true},
    {L"\\mswstr10.dll", false},
    {L"\\msjint40.dll", false},
    {L"\\msjter40.dll", false},
};

}  // namespace

FileList CollectJetFiles(const std::wstring& sSystemDir) { return CollectFiles(sSystemDir, kJetFiles); }

JetPage AnalyseJetPage(const std::wstring& sSystemDir) {
    JetPage page;
    page.Label25 = LoadResString(IDS_JET_INSTALLED);
    page.Label23 = LoadResString(IDS_JET_AVAILABLE);
    page.Label24 = GetFileVersionText(sSystemDir + L"\\msjet40.dll", false);
    page.Command3 = LoadResString(IDS_REREGISTER_JET);
    // The MDAC page titles its file list; the Jet list gets the matching heading.
    page.Label9 = LoadResString(IDS_JET_FILES);
    page.JetFiles = CollectJetFiles(sSystemDir);
    return page;
}

}  // namespace qn
