// The registration check from the window: the system menu item, the run over both file lists
// and the file lists' registration column.
#include <windows.h>
#include <commctrl.h>

#include "app/RepairScope.h"
#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "resources/resource.h"

namespace qn {

namespace {

// The first differences fit the label tip that unfolds the cell; all of them are in the report.
constexpr size_t kDifferencesInCell = 3;

}  // namespace

std::wstring frmQNRepair::RegistrationCell(const std::wstring& path) const {
    // Only files that were checked are in the results; "Not found" never is.
    const RegistrationCheck* check = FindRegistrationCheck(registrationChecks_, path);
    return check ? RegistrationCheckText(*check, kDifferencesInCell, L"; ") : std::wstring();
}

void frmQNRepair::OnCheckRegistrations() {
    if (repairDepth_ > 0) return;
    {
        RepairScope scope(*this);
        // Started while the files are looked up.
        CaptureHost host(services_.captureHost);
        CollectMDACFiles();
        CollectJetFiles();
        FileList files = state_.MDACFiles;
        files.insert(files.end(), state_.JetFiles.begin(), state_.JetFiles.end());
        const std::vector<std::wstring> paths = RegistrablePaths(files);
        registrationChecks_.clear();
        for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) ShowRegistrationColumn(list);
        CheckRegistrations(host, paths, [&](size_t index, const RegistrationCheck& check) {
            registrationChecks_[RegistrationCheckKey(paths[index])] = check;
            for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) ShowRegistrationColumn(list, paths[index]);
            return DoEvents();
        });
        if (IsClosed()) return;
    }
    CarryOutPendingClose();
}

}  // namespace qn
