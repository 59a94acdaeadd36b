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

std::wstring PathKey(std::wstring path) {
    ::CharUpperBuffW(path.data(), static_cast<DWORD>(path.size()));
    return path;
}

}  // namespace

void frmQNRepair::AddSystemMenuItems() {
    const HMENU menu = ::GetSystemMenu(hwnd_, FALSE);
    if (!menu) return;
    ::AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
    ::AppendMenuW(menu, MF_STRING, kSysCmdCheckRegistrations, LoadResString(IDS_CHECK_MENU).c_str());
}

std::wstring frmQNRepair::RegistrationCell(const FileInfo& file) const {
    if (!IsRegistrablePresent(file)) return {};
    const auto found = registrationChecks_.find(PathKey(file.FilePath));
    if (found == registrationChecks_.end()) return {};
    return RegistrationCheckText(found->second, kDifferencesInCell, L"; ");
}

void frmQNRepair::OnCheckRegistrations() {
    if (repairDepth_ > 0) return;
    {
        RepairScope scope(*this);
        CollectMDACFiles();
        CollectJetFiles();
        FileList files = state_.MDACFiles;
        files.insert(files.end(), state_.JetFiles.begin(), state_.JetFiles.end());
        registrationChecks_.clear();
        for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) ShowRegistrationColumn(list);
        for (const FileInfo& file : files) {
            if (!IsRegistrablePresent(file)) continue;
            registrationChecks_[PathKey(file.FilePath)] = CheckRegistration(services_.captureHost, file.FilePath);
            for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) ShowRegistrationColumn(list);
            if (!DoEvents()) break;
        }
        if (IsClosed()) return;
    }
    if (closePending_) {
        closePending_ = false;
        // Posted: the menu command that started the check is still on the call stack.
        ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
    }
}

}  // namespace qn
