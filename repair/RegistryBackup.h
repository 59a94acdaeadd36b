// Undo for a repair: the live state of every key and value that the repair's components would
// write, saved before it writes anything, and put back on request.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/RegFile.h"
#include "repair/RegistrationCapture.h"

namespace qn {

// What the live registry holds now at every place the captures would write: existing keys
// with the present or absent state of each captured value, and absent keys as keys to remove
// (only the topmost of an absent branch).
std::vector<RegFileKey> LiveStateOf(const std::vector<RegistrationCapture>& captures);

// The folder for backups: QNRepair in the user's local application data folder.
std::wstring BackupFolder();

// "QNRepair registry backup 2026-12-07 11-05-12.reg" for the given local time.
std::wstring BackupFileName(const SYSTEMTIME& localTime);

// Saves LiveStateOf(captures) as a new file in `folder` (created when missing), named after
// the current local time; its path, or none when it could not be written.
std::optional<std::wstring> SaveRegistryBackup(const std::vector<RegistrationCapture>& captures,
                                               const std::wstring& folder = BackupFolder());

// Before a repair: captures in `host` what each of `componentPaths` would register (empty paths
// are skipped) and saves the live state of those places to a new backup in `folder`. `between`
// runs after each capture (a window lets its messages run there); when it returns false the
// backup stops and none is saved. The backup's path, or none.
std::optional<std::wstring> BackUpRegistrations(CaptureHost& host,
                                                const std::vector<std::wstring>& componentPaths,
                                                const std::function<bool()>& between = {},
                                                const std::wstring& folder = BackupFolder());

enum class RestoreOutcome {
    Restored,    // every key and value is as saved
    NoRights,    // the registry refused a change for lack of rights
    Unreadable,  // the file is missing or not a backup
    Failed,      // the registry refused a change for another reason
};

// Puts the saved state back: keys recorded as absent are removed with everything below them,
// values recorded as absent are removed, the others written as saved.
RestoreOutcome RestoreRegistryBackup(const std::wstring& file);

}  // namespace qn
