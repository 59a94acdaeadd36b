// The registration commands of the command line, run without a window:
//   QNRepair.exe /check [/json FILE] [/report FILE]   exit 0 all registered, 4 not, 2 usage
//   QNRepair.exe /restore FILE                        exit 0, 3 without rights, 2 unreadable
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "analysis/FileInfo.h"
#include "repair/RegistrationCheck.h"

namespace qn {

inline constexpr int kExitUsage = 2;
inline constexpr int kExitNoRights = 3;
inline constexpr int kExitNotRegistered = 4;

// One file of a page's list with the check's result; none for a file that is not checked
// (listed only, or not found).
struct CheckedFile {
    FileInfo file;
    std::optional<RegistrationCheck> registration;
};

struct CheckedGroup {
    std::wstring name;  // "MDAC", "Jet 4.0"
    std::vector<CheckedFile> files;
};

// Checks every registrable file that is present on the MDAC and Jet pages.
std::vector<CheckedGroup> CheckAllRegistrations(const std::wstring& captureHost);

// The result as text, in the user's language: per group its files, each with its path and the
// check's full text (every difference).
std::wstring RegistrationCheckReport(const std::vector<CheckedGroup>& groups);

// The "registration" member of a file record in the JSON findings: null when not checked, or
// {"expected","missing","different","differences":[{"key","value","expected","actual"}],"error"}.
std::string RegistrationJson(const std::optional<RegistrationCheck>& check);

// Runs the command `args` (without the program name) names, with `captureHost` as this
// program; its exit code, or none when the arguments are no registration command.
std::optional<int> RunRegistrationCommand(const std::vector<std::wstring>& args, const std::wstring& captureHost);

}  // namespace qn
