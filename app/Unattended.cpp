#include "app/Unattended.h"

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

    const std::wstring systemDir = SystemDirectory();
    std::vector<RepairRun> runs;
    for (const RepairComponent component : line.repairs) {
        const FileList files = component == RepairComponent::Mdac ? CollectMDACFiles() : CollectJetFiles(systemDir);
        runs.push_back(RunRepair(component, files));
    }
    const int repairCode = ExitCodeOf(JudgeRepairs(runs));

    const Report report = MakeReport(systemDir, QueryOsVersion(), std::move(runs));
    bool written = true;
    if (line.reportFile) written = WriteOutput(*line.reportFile, ToUtf8(ReportText(report)), kUtf8ByteOrderMark) && written;
    if (line.jsonFile) written = WriteOutput(*line.jsonFile, ReportJson(report, UserTextLanguage()), {}) && written;
    return written ? repairCode : kExitUsage;
}

}  // namespace qn
