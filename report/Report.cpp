#include "report/Report.h"

namespace qn {

Report MakeReport(const std::wstring& sSystemDir, const OsVersion& os, std::vector<RepairRun> repairs) {
    Report report;
    ::GetSystemTime(&report.generatedUtc);
    report.computer = ComputerName();
    report.findings = AnalyseAll(sSystemDir, ClassifyWindowsVersion(os.platformId, os.major, os.minor), os);
    report.repairs = std::move(repairs);
    return report;
}

std::wstring ComputerName() {
    WCHAR name[MAX_COMPUTERNAME_LENGTH + 1] = {};
    DWORD length = MAX_COMPUTERNAME_LENGTH + 1;
    if (!::GetComputerNameW(name, &length)) return {};
    return std::wstring(name, length);
}

}  // namespace qn
