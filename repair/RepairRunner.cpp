#include "repair/RepairRunner.h"

#include <windows.h>

#include "repair/RegistrationReport.h"

namespace qn {

namespace {

// The short (8.3) form of `path`, or the empty text when it cannot be formed, as for a short
// path that would not fit the 260-character buffer; the registration then skips the file.
std::wstring ShortPath(const std::wstring& path) {
    WCHAR buffer[261] = {};
    const DWORD length = ::GetShortPathNameW(path.c_str(), buffer, 260);
    if (length == 0 || length > 260) return {};
    return std::wstring(buffer, length);
}

}  // namespace

RepairRun RunRepair(RepairComponent component, const FileList& files, const RepairObserver& observer) {
    RepairRun run;
    run.component = component;
    for (size_t i = 0; i < files.size(); ++i) {
        const FileInfo& file = files[i];
        if (observer.beforeFile) observer.beforeFile(i, file);
        FileOutcome outcome{file.name, IsInstalled(file) ? file.path : std::nullopt, {}};
        if (file.registrable && outcome.path) outcome.result = RegisterComponent(ShortPath(*outcome.path));
        run.files.push_back(outcome);
        if (observer.afterFile && !observer.afterFile(i, outcome)) break;
    }
    return run;
}

RepairVerdict JudgeRepairs(const std::vector<RepairRun>& runs) {
    RepairVerdict verdict = RepairVerdict::AllRegistered;
    for (const RepairRun& run : runs) {
        for (const FileOutcome& file : run.files) {
            if (MeansMissingRights(file.result)) return RepairVerdict::MissingRights;
            if (IsFailure(file.result)) verdict = RepairVerdict::SomeFailed;
        }
    }
    return verdict;
}

}  // namespace qn
