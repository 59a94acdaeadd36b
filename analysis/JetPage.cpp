#include "analysis/JetPage.h"

#include "platform/FileVersion.h"

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

JetFindings AnalyseJet(const std::wstring& sSystemDir) {
    JetFindings found;
    found.installedVersion = ReadFileVersion(sSystemDir + L"\\msjet40.dll", false);
    found.files = CollectJetFiles(sSystemDir);
    return found;
}

}  // namespace qn
