#include "analysis/MdacPage.h"

#include <iterator>
#include <shlobj.h>

#include "analysis/VersionCompare.h"
#include "analysis/RegistryText.h"
#include "platform/Strings.h"
#include "platform/modAPI.h"
#include "resources/resource.h"

namespace qn {

// Relative to the common program files folder; letter case as the files are known.
const ComponentFile kMdacFiles[kMdacFileCount] = {
    {L"\\System\\ado\\MSADO15.DLL", true},
    {L"\\System\\ado\\MSADER15.DLL", false},
    {L"\\System\\ado\\MSADOR15.DLL", true},
    {L"\\System\\ado\\MSADRH15.DLL", true},
    {L"\\System\\ado\\MSADOMD.DLL", true},
    {L"\\System\\ado\\MSADOX.DLL", true},
    {L"\\System\\ado\\MSJRO.DLL", true},
    {L"\\System\\MSADC\\MSADCE.DLL", true},
    {L"\\System\\MSADC\\MSADCER.DLL", false},
    {L"\\System\\MSADC\\MSADCF.DLL", true},
    {L"\\System\\MSADC\\MSADCFR.DLL", false},
    {L"\\System\\MSADC\\MSADCO.DLL", true},
    {L"\\System\\MSADC\\MSADCOR.DLL", false},
    {L"\\System\\MSADC\\MSADCS.DLL", false},
    {L"\\System\\MSADC\\MSADDS.DLL", true},
    {L"\\System\\MSADC\\MSADDSR.DLL", false},
    {L"\\System\\MSADC\\MSDAPRST.DLL", true},
    {L"\\System\\Ole DB\\OLEDB32.DLL", true},
    {L"\\System\\Ole DB\\MSXACTPS.DLL", true},
    {L"\\System\\Ole DB\\MSDAENUM.DLL", true},
    {L"\\System\\Ole DB\\MSDAURL.DLL", true},
    {L"\\System\\Ole DB\\MSDATT.DLL", true},
    {L"\\System\\Ole DB\\MSDASQL.DLL", true},
    {L"\\System\\Ole DB\\MSDAOSP.DLL", true},
    {L"\\System\\Ole DB\\MSDAORA.DLL", true},
    {L"\\System\\Ole DB\\MSDAPS.DLL", true},
    {L"\\System\\Ole DB\\MSDADC.DLL", true},
    {L"\\System\\Ole DB\\MSDAER.DLL", false},
};

FileList CollectMDACFiles() {
    // The folder text is joined directly: an unknown folder leaves paths that start with "\".
    return CollectFiles(GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON), kMdacFiles);
}

std::wstring ReadInstalledMdacVersion() {
    return ReadRegistryText(kHKeyLocalMachine, L"Software\\Microsoft\\DataAccess", L"FullInstallVer");
}

MdacPage AnalyseMdacPage() {
    MdacPage page;
    page.Label7 = LoadResString(IDS_MDAC_INSTALLED);
    const std::wstring installed = ReadInstalledMdacVersion();
    page.Label8 = ShownVersionText(installed);
    page.Command1 = LoadResString(IDS_REREGISTER_MDAC);
    page.installedIsNewer = CompareVersions(installed, kNewestMdacVersion) > 0;
    if (!page.installedIsNewer) page.Label19 = LoadResString(IDS_MDAC_AVAILABLE);
    page.Label22 = LoadResString(IDS_MDAC_FILES);
    page.MDACFiles = CollectMDACFiles();
    return page;
}

}  // namespace qn
