#include "app/Unattended.h"

#include <algorithm>
#include <map>

#include "analysis/JetPage.h"
#include "analysis/MdacPage.h"
#include "app/CallerOutput.h"
#include "app/CommandLine.h"
#include "app/TextReport.h"
#include "platform/AtomicFile.h"
#include "platform/Strings.h"
#include "platform/SystemLibrary.h"
#include "platform/SystemMessage.h"
#include "platform/Utf8.h"
#include "repair/RegistrationCheck.h"
#include "repair/RegistryBackup.h"
#include "report/JsonReport.h"
#include "resources/resource.h"

namespace qn {

namespace {

bool NamesStandardOutput(const std::optional<std::wstring>& file) { return file && *file == kStandardOutput; }

// Writes one output; false (after telling the caller why) when it could not be written.
bool WriteOutput(const std::wstring& file, const std::string& bytes, const std::string& fileOnlyPrefix) {
    if (file == kStandardOutput) {
        if (WriteStandardOutput(bytes)) return true;
        TellCaller(LoadResString(IDS_CLI_NO_STDOUT), true);
        return false;
    }
    const DWORD error = WriteFileAtomically(file, fileOnlyPrefix + bytes);
    if (error == ERROR_SUCCESS) return true;
    TellCaller(InsertValue(LoadResString(IDS_CLI_CANNOT_WRITE), file) + L" " + SystemMessage(error), true);
    return false;
}

int ExitCodeOf(RepairVerdict verdict) {
    switch (verdict) {
        case RepairVerdict::MissingRights: return kExitNeedsElevation;
        case RepairVerdict::SomeFailed: return kExitRepairFailed;
        case RepairVerdict::AllRegistered: break;
    }
    return kExitSuccess;
}

int ExitCodeOf(RestoreOutcome outcome) {
    switch (outcome) {
        case RestoreOutcome::Restored: return kExitSuccess;
        case RestoreOutcome::NoRights: return kExitNeedsElevation;
        case RestoreOutcome::Unreadable: return kExitUsage;
        case RestoreOutcome::Failed: break;
    }
    return kExitRepairFailed;
}

// What repairs captured for their backups, by RegistrationCheckKey of the component's path.
using CapturesByPath = std::map<std::wstring, RegistrationCapture>;

// Every file of the two lists that a repair would register, checked as it is now. What a
// component writes does not depend on the live registry, so a file a repair captured for its
// backup is compared from that capture; the others are captured in `host` (started here when
// none was started ahead).
RegistrationChecks CheckRepairableFiles(std::optional<CaptureHost>& host, const std::wstring& hostProgram,
                                        const Findings& findings, const CapturesByPath& captured) {
    std::vector<std::wstring> paths = RegistrablePaths(findings.mdac.files);
    const std::vector<std::wstring> jet = RegistrablePaths(findings.jet.files);
    paths.insert(paths.end(), jet.begin(), jet.end());
    RegistrationChecks checks;
    std::vector<std::wstring> uncaptured;
    for (const std::wstring& path : paths) {
        const auto found = captured.find(RegistrationCheckKey(path));
        if (found == captured.end()) {
            uncaptured.push_back(path);
        } else {
            checks[found->first] = CompareWithLiveRegistry(found->second, path);
        }
    }
    if (uncaptured.empty()) return checks;
    if (!host) host.emplace(hostProgram);
    const std::vector<RegistrationCheck> results = CheckRegistrations(*host, uncaptured);
    for (size_t i = 0; i < results.size(); ++i) checks[RegistrationCheckKey(uncaptured[i])] = results[i];
    return checks;
}

bool AllRegistered(const RegistrationChecks& checks) {
    for (const auto& [path, check] : checks) {
        if (!check.registered()) return false;
    }
    return true;
}

}  // namespace

int RunUnattended(const std::vector<std::wstring>& arguments) {
    const ParsedCommandLine parsed = ParseCommandLine(arguments);
    if (!parsed.commandLine) {
        TellCaller(parsed.error + L"\r\n\r\n" + UsageText(), true);
        return kExitUsage;
    }
    const CommandLine& line = *parsed.commandLine;
    if (line.showUsage) {
        TellCaller(UsageText(), false);
        return kExitSuccess;
    }
    // Checked before anything is changed: a repair whose report has nowhere to go helps nobody.
    if ((NamesStandardOutput(line.reportFile) || NamesStandardOutput(line.jsonFile)) && !HasStandardOutput()) {
        TellCaller(LoadResString(IDS_CLI_NO_STDOUT), true);
        return kExitUsage;
    }

    // A backup is put back alone: nothing else of the machine is to change or be judged then.
    if (line.restoreFile) {
        if (line.check || !line.repairs.empty() || line.reportFile || line.jsonFile) {
            TellCaller(UsageText(), true);
            return kExitUsage;
        }
        return ExitCodeOf(RestoreRegistryBackup(*line.restoreFile));
    }

    const std::wstring systemDir = SystemDirectory();
    const std::wstring captureHost = ThisProgramPath();
    std::vector<RepairRun> runs;
    CapturesByPath captured;
    for (const RepairComponent component : line.repairs) {
        // Started while the files are looked up.
        CaptureHost host(captureHost);
        const FileList files = component == RepairComponent::Mdac ? CollectMDACFiles(ListReaders::One)
                                                                        : CollectJetFiles(systemDir);
        // What the repair will overwrite is saved first, so that /restore can undo it.
        const std::vector<std::wstring> paths = RegistrablePaths(files);
        std::vector<RegistrationCapture> captures = host.Capture(paths);
        const std::optional<std::wstring> backup = SaveRegistryBackup(captures);
        for (size_t i = 0; i < captures.size(); ++i) captured[RegistrationCheckKey(paths[i])] = std::move(captures[i]);
        runs.push_back(RunRepair(component, files));
        runs.back().backup = backup;
    }
    int exitCode = ExitCodeOf(JudgeRepairs(runs));
    // The exit code says all that was asked for: the machine is not analysed for nobody.
    if (!line.check && !line.reportFile && !line.jsonFile) return exitCode;

    // Started while the machine is analysed, unless the repairs captured both lists already.
    const auto repaired = [&](RepairComponent component) {
        return std::find(line.repairs.begin(), line.repairs.end(), component) != line.repairs.end();
    };
    std::optional<CaptureHost> checkHost;
    if (line.check && !(repaired(RepairComponent::Mdac) && repaired(RepairComponent::Jet))) {
        checkHost.emplace(captureHost);
    }
    Report report = MakeReport(systemDir, QueryOsVersion(), std::move(runs));
    if (line.check) {
        report.registrations = CheckRepairableFiles(checkHost, captureHost, report.findings, captured);
        if (exitCode == kExitSuccess && !AllRegistered(report.registrations)) exitCode = kExitNotRegistered;
    }
    bool written = true;
    if (line.reportFile) written = WriteOutput(*line.reportFile, ToUtf8(ReportText(report)), kUtf8ByteOrderMark) && written;
    if (line.jsonFile) written = WriteOutput(*line.jsonFile, ReportJson(report, UserTextLanguage()), {}) && written;
    return written ? exitCode : kExitUsage;
}

}  // namespace qn
