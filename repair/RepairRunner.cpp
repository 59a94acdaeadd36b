#include "repair/RepairRunner.h"

#include "repair/RegistrationReport.h"

namespace qn {

RepairRun RunRepair(RepairComponent component, const FileList& files, const RepairObserver& observer) {
    RepairRun run;
    run.component = component;
    for (size_t i = 0; i < files.size(); ++i) {
        const FileInfo& file = files[i];
        if (observer.beforeFile) observer.beforeFile(i, file);
        FileOutcome outcome{file.name, IsInstalled(file) ? file.path : std::nullopt, {}};
        if (file.registrable && outcome.path) outcome.result = RegisterComponent(*outcome.path);
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
