// What a report holds: the findings of every analysis, when and where they were made, and the
// repairs that ran since the program started.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "analysis/Findings.h"
#include "repair/RegistrationCheck.h"
#include "repair/RepairRunner.h"

namespace qn {

inline constexpr wchar_t kProgramName[] = L"QNRepair";
inline constexpr wchar_t kProgramVersion[] = L"1.10.0043";

struct Report {
    SYSTEMTIME generatedUtc{};
    std::wstring computer;
    Findings findings;
    std::vector<RepairRun> repairs;
    RegistrationChecks registrations;  // the last registration check; empty when none ran
};

// A report made now: every analysis runs afresh on this machine. `sSystemDir` has no trailing
// backslash; `os` is the running system's true version.
Report MakeReport(const std::wstring& sSystemDir, const OsVersion& os, std::vector<RepairRun> repairs);

// The computer's name, as the network knows it; empty when the system cannot give it.
std::wstring ComputerName();

}  // namespace qn
