#include "analysis/Findings.h"

namespace qn {

Findings AnalyseAll(const std::wstring& sSystemDir, int lWinVersion, const OsVersion& os) {
    return {AnalyseMdac(), AnalyseJet(sSystemDir), AnalyseWindows(lWinVersion, os), AnalyseComponents(sSystemDir)};
}

}  // namespace qn
