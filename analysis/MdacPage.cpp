#include "analysis/MdacPage.h"

#include <shlobj.h>

#include "analysis/VersionCompare.h"
#include "analysis/RegistryText.h"
#include "platform/ShellFolders.h"

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

FileList CollectMDACFiles(ListReaders readers) {
    // The folder text is joined directly: an unknown folder leaves paths that start with "\".
    return CollectFiles(GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON), kMdacFiles, readers);
}

std::optional<std::wstring> ReadInstalledMdacVersion() {
    return ReadRegistryText(kHKeyLocalMachine, L"Software\\Microsoft\\DataAccess", L"FullInstallVer");
}

MdacFindings AnalyseMdac() {
    MdacFindings found;
    found.installedVersion = ReadInstalledMdacVersion();
    found.installedIsNewer = CompareVersions(found.installedVersion.value_or(L""), kNewestMdacVersion) > 0;
    found.files = CollectMDACFiles();
    return found;
}

}  // namespace qn
