// What the MDAC and Jet 4.0 pages read from the machine, replaced for one test: the component
// files (by fixtures) and the installed MDAC version.
#pragma once

#include <windows.h>

#include <cstddef>
#include <iterator>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "support/FormDriver.h"
#include "support/TestSupport.h"

namespace qn::test {

struct ComponentRow {
    const wchar_t* relativePath;  // as the page appends it to its folder
    bool registered;              // the repair registers it
};

// Below the common program files folder, in the order of the page's list.
inline constexpr ComponentRow kMdacRows[] = {
    {L"\\System\\ado\\MSADO15.DLL", true},      {L"\\System\\ado\\MSADER15.DLL", false},
    {L"\\System\\ado\\MSADOR15.DLL", true},     {L"\\System\\ado\\MSADRH15.DLL", true},
    {L"\\System\\ado\\MSADOMD.DLL", true},      {L"\\System\\ado\\MSADOX.DLL", true},
    {L"\\System\\ado\\MSJRO.DLL", true},        {L"\\System\\MSADC\\MSADCE.DLL", true},
    {L"\\System\\MSADC\\MSADCER.DLL", false},   {L"\\System\\MSADC\\MSADCF.DLL", true},
    {L"\\System\\MSADC\\MSADCFR.DLL", false},   {L"\\System\\MSADC\\MSADCO.DLL", true},
    {L"\\System\\MSADC\\MSADCOR.DLL", false},   {L"\\System\\MSADC\\MSADCS.DLL", false},
    {L"\\System\\MSADC\\MSADDS.DLL", true},     {L"\\System\\MSADC\\MSADDSR.DLL", false},
    {L"\\System\\MSADC\\MSDAPRST.DLL", true},   {L"\\System\\Ole DB\\OLEDB32.DLL", true},
    {L"\\System\\Ole DB\\MSXACTPS.DLL", true},  {L"\\System\\Ole DB\\MSDAENUM.DLL", true},
    {L"\\System\\Ole DB\\MSDAURL.DLL", true},   {L"\\System\\Ole DB\\MSDATT.DLL", true},
    {L"\\System\\Ole DB\\MSDASQL.DLL", true},   {L"\\System\\Ole DB\\MSDAOSP.DLL", true},
    {L"\\System\\Ole DB\\MSDAORA.DLL", true},   {L"\\System\\Ole DB\\MSDAPS.DLL", true},
    {L"\\System\\Ole DB\\MSDADC.DLL", true},    {L"\\System\\Ole DB\\MSDAER.DLL", false},
};
inline constexpr size_t kMdacCount = std::size(kMdacRows);

// In the system directory, in the order of the page's list.
inline constexpr ComponentRow kJetRows[] = {
    {L"\\msjet40.dll", true},  {L"\\msjtes40.dll", true}, {L"\\msjetoledb40.dll", true},
    {L"\\mswstr10.dll", false}, {L"\\msjint40.dll", false}, {L"\\msjter40.dll", false},
};
inline constexpr size_t kJetCount = std::size(kJetRows);

std::wstring CommonFilesFolder();
std::wstring SystemFolder();

// One fixture name per file of a group; an empty name means the file is absent.
using Placement = std::vector<std::wstring>;

// Every file of a component group is taken away for the test's lifetime and, where the
// placement names a fixture, replaced by a copy of it. Files may be changed meanwhile with
// Place and Remove; at the end the machine's own files come back.
class ScopedComponents {
public:
    ScopedComponents(const std::wstring& folder, const ComponentRow* rows, size_t count, const Placement& placement);
    static ScopedComponents Mdac(const Placement& placement);
    static ScopedComponents Jet(const Placement& placement);

    size_t size() const { return paths_.size(); }
    const std::wstring& Path(size_t index) const { return paths_.at(index); }
    std::wstring Name(size_t index) const;
    void Place(size_t index, const std::wstring& fixture);
    void Remove(size_t index);

private:
    std::vector<std::wstring> paths_;
    std::vector<std::unique_ptr<ScopedAbsence>> originals_;
};

// The fixtures' DllRegisterServer writes its module's path to the file QN_FIXTURE_LOG names.
class RegistrationLog {
public:
    RegistrationLog();
    ~RegistrationLog();
    RegistrationLog(const RegistrationLog&) = delete;
    RegistrationLog& operator=(const RegistrationLog&) = delete;

    // The modules called so far, each as written (the path the module was loaded by).
    std::vector<std::wstring> Calls() const;
    // The same as long paths in the letter case of the disk, to compare with LongPath().
    std::vector<std::wstring> LongCalls() const;

private:
    TempDir dir_;
    std::wstring file_;
};

// `path` in its long form and the disk's letter case; empty when the file does not exist.
std::wstring LongPath(const std::wstring& path);

// The long paths of the files of `components` that the repair registers, in list order,
// skipping those marked absent in `placement`.
std::vector<std::wstring> ExpectedCalls(const ScopedComponents& components, const ComponentRow* rows,
                                        const Placement& placement);

// True when the process holds a module loaded from `path`.
bool IsLoaded(const std::wstring& path);

std::string Narrow(const std::wstring& text);

// Rows of a file list read as text in failure messages.
void PrintTo(const Row& row, std::ostream* out);

// The installed MDAC version as the registry records it, for the test's lifetime; nullopt
// takes the value away.
ScopedRegValue InstalledMdac(const std::optional<std::wstring>& version);

}  // namespace qn::test
