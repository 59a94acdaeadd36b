// A repair without a window: re-registering the files of one component group, in list order,
// by the same rules as the repair buttons, with every file's outcome.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "analysis/FileInfo.h"
#include "repair/modDLLRegister.h"

namespace qn {

enum class RepairComponent { Mdac, Jet };

struct FileOutcome {
    std::wstring name;
    std::optional<std::wstring> path;  // full path; none when the file is not installed
    RegistrationResult result;         // Skipped for a file that is not registered
};

struct RepairRun {
    RepairComponent component = RepairComponent::Mdac;
    std::vector<FileOutcome> files;  // one per record of the list, in its order
    std::optional<std::wstring> backup;  // the registry backup taken before it, if any
};

// What the caller sees while a repair runs; either hook may be left empty.
struct RepairObserver {
    std::function<void(size_t index, const FileInfo& file)> beforeFile;
    // After each file; returning false stops the repair before the next one.
    std::function<bool(size_t index, const FileOutcome& outcome)> afterFile;
};

// Registers each record of `files` that may be registered and is installed, from the first to
// the last; every other record is skipped and still reported.
RepairRun RunRepair(RepairComponent component, const FileList& files, const RepairObserver& observer = {});

// How a set of repairs went, worst first.
enum class RepairVerdict { MissingRights, SomeFailed, AllRegistered };
RepairVerdict JudgeRepairs(const std::vector<RepairRun>& runs);

}  // namespace qn
