// The two repairs: re-registering the MDAC files and the Jet 4.0 files.
#include <windows.h>
#include <commctrl.h>

#include "app/RepairScope.h"
#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "repair/RegistryBackup.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

void frmQNRepair::OnRepairMdac() {
    if (repairDepth_ > 0) return;
    std::vector<RegistrationFailure> failures;
    {
        RepairScope scope(*this);
        // Started while the window draws and the files are looked up.
        CaptureHost host(services_.captureHost);
        SetVisible(Ctl::Command1, false);
        SetVisible(Ctl::Label19, false);
        ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        if (DoEvents()) {
            CollectMDACFiles();
            std::optional<std::wstring> backup;
            if (BackUpRegistrations(host, state_.MDACFiles, backup)) {
                failures = RegisterFiles(RepairComponent::Mdac, state_.MDACFiles, Ctl::ProgressBar1, Ctl::Label11, backup);
            }
        }
        if (IsClosed()) return;
        SetText(Ctl::Label11, L"");
        // A visit of the page meanwhile may have found a newer MDAC and hidden the link for
        // good; the newest version beside it, which the repair leaves alone, says which.
        SetVisible(Ctl::Label19, IsVisible(Ctl::Label21));
        SetVisible(Ctl::Command1, true);
        SetVisible(Ctl::ProgressBar1, false);
    }
    FinishRepair(failures);
}

void frmQNRepair::OnRepairJet() {
    if (repairDepth_ > 0) return;
    std::vector<RegistrationFailure> failures;
    {
        RepairScope scope(*this);
        CaptureHost host(services_.captureHost);
        SetVisible(Ctl::Command3, false);
        // The list is the one the last analysis of the Jet page built; it is not collected anew.
        std::optional<std::wstring> backup;
        if (DoEvents() && BackUpRegistrations(host, state_.JetFiles, backup)) {
            failures = RegisterFiles(RepairComponent::Jet, state_.JetFiles, Ctl::ProgressBar3, Ctl::None, backup);
        }
        if (IsClosed()) return;
        SetVisible(Ctl::Command3, true);
        SetVisible(Ctl::ProgressBar3, false);
    }
    FinishRepair(failures);
}

std::vector<RegistrationFailure> frmQNRepair::RegisterFiles(RepairComponent component, const FileList& list,
                                                           Ctl progressBar, Ctl nameLabel,
                                                           const std::optional<std::wstring>& backup) {
    // A copy: a page analysis that runs between two files replaces the window's list.
    const FileList files = list;
    SetVisible(progressBar, true);
    ::SendMessageW(Control(progressBar), PBM_SETRANGE32, 0, static_cast<LPARAM>(files.size()));
    ::SendMessageW(Control(progressBar), PBM_SETPOS, 0, 0);
    RepairObserver observer;
    if (nameLabel != Ctl::None) {
        // Drawn at once, each name would cost a round trip to the display (under Wine about as
        // long as registering the file); the names are drawn as often as the window paints.
        observer.beforeFile = [this, nameLabel](size_t, const FileInfo& file) {
            SetTextDrawnLater(nameLabel, GetFile(PathCell(file)));
        };
    }
    observer.afterFile = [this, progressBar](size_t index, const FileOutcome&) {
        ::SendMessageW(Control(progressBar), PBM_SETPOS, static_cast<WPARAM>(index + 1), 0);
        return DoEventsBetweenSteps();
    };
    RepairRun run = RunRepair(component, files, observer);
    run.backup = backup;
    std::vector<RegistrationFailure> failures;
    for (const FileOutcome& file : run.files) {
        if (IsFailure(file.result)) failures.push_back({file.path.value_or(file.name), file.result});
    }
    state_.repairs.push_back(std::move(run));
    return failures;
}

bool frmQNRepair::BackUpRegistrations(CaptureHost& host, const FileList& list, std::optional<std::wstring>& backup) {
    bool open = true;
    backup = qn::BackUpRegistrations(host, RegistrablePaths(list), [&] { return open = DoEvents(); });
    return open;
}

// Runs once the repair has let go of the window, so the pointer over it is the arrow again
// while the failures are shown.
void frmQNRepair::FinishRepair(const std::vector<RegistrationFailure>& failures) {
    if (IsClosed()) return;
    // Failures come from the run that was kept last.
    const std::wstring text = FormatRegistrationFailures(failures, LastBackup());
    if (!text.empty()) {
        ::MessageBoxW(hwnd_, text.c_str(), LoadResString(IDS_REPAIR_FAILED_TITLE).c_str(), MB_OK | MB_ICONWARNING);
        if (IsClosed()) return;
    }
    CarryOutPendingClose();
    // Closing the message box activated the window, which put the focus on the window itself.
    ::SetFocus(Control(Ctl::cmdQuit));
}

}  // namespace qn
