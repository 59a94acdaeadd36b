// The two repairs: re-registering the MDAC files and the Jet 4.0 files.
#include <windows.h>
#include <commctrl.h>

#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "report/FindingTexts.h"
#include "resources/resource.h"

namespace qn {

// While a repair runs the window shows the hourglass; nested repairs share it. A close that
// arrived meanwhile is carried out once the last repair has let go of the controls.
class RepairScope {
public:
    explicit RepairScope(frmQNRepair& form) : form_(form) {
        ++form_.repairDepth_;
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    }
    ~RepairScope() {
        if (--form_.repairDepth_ > 0) return;
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
        if (form_.closePending_ && form_.hwnd_) {
            form_.closePending_ = false;
            // Posted: the button whose click started the repair is still on the call stack.
            ::PostMessageW(form_.hwnd_, WM_CLOSE, 0, 0);
        }
    }
    RepairScope(const RepairScope&) = delete;
    RepairScope& operator=(const RepairScope&) = delete;

private:
    frmQNRepair& form_;
};

void frmQNRepair::OnRepairMdac() {
    RepairScope scope(*this);
    SetVisible(Ctl::Command1, false);
    const bool linkWasVisible = IsVisible(Ctl::Label19);
    if (linkWasVisible) SetVisible(Ctl::Label19, false);
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    std::vector<RegistrationFailure> failures;
    if (DoEvents()) {
        CollectMDACFiles();
        failures = RegisterFiles(RepairComponent::Mdac, state_.MDACFiles, Ctl::ProgressBar1, Ctl::Label11);
    }
    if (IsClosed()) return;
    SetText(Ctl::Label11, L"");
    if (linkWasVisible) SetVisible(Ctl::Label19, true);
    SetVisible(Ctl::Command1, true);
    SetVisible(Ctl::ProgressBar1, false);
    ReportFailures(failures);
    ::SetFocus(Control(Ctl::cmdQuit));
}

void frmQNRepair::OnRepairJet() {
    RepairScope scope(*this);
    SetVisible(Ctl::Command3, false);
    std::vector<RegistrationFailure> failures;
    // The list is the one the last analysis of the Jet page built; it is not collected anew.
    if (DoEvents()) failures = RegisterFiles(RepairComponent::Jet, state_.JetFiles, Ctl::ProgressBar3, Ctl::None);
    if (IsClosed()) return;
    SetVisible(Ctl::Command3, true);
    SetVisible(Ctl::ProgressBar3, false);
    ReportFailures(failures);
    ::SetFocus(Control(Ctl::cmdQuit));
}

std::vector<RegistrationFailure> frmQNRepair::RegisterFiles(RepairComponent component, const FileList& list,
                                                           Ctl progressBar, Ctl nameLabel) {
    // A copy: a page analysis that runs between two files replaces the window's list.
    const FileList files = list;
    SetVisible(progressBar, true);
    ::SendMessageW(Control(progressBar), PBM_SETRANGE32, 0, static_cast<LPARAM>(files.size()));
    ::SendMessageW(Control(progressBar), PBM_SETPOS, 0, 0);
    RepairObserver observer;
    if (nameLabel != Ctl::None) {
        observer.beforeFile = [this, nameLabel](size_t, const FileInfo& file) { SetText(nameLabel, GetFile(PathCell(file))); };
    }
    observer.afterFile = [this, progressBar](size_t index, const FileOutcome&) {
        ::SendMessageW(Control(progressBar), PBM_SETPOS, static_cast<WPARAM>(index + 1), 0);
        return DoEvents();
    };
    RepairRun run = RunRepair(component, files, observer);
    std::vector<RegistrationFailure> failures;
    for (const FileOutcome& file : run.files) {
        if (IsFailure(file.result)) failures.push_back({file.path.value_or(file.name), file.result});
    }
    state_.repairs.push_back(std::move(run));
    return failures;
}

// Closing the message box activates the window again, and activation puts the focus on the
// window itself; the caller sets it where it belongs afterwards.
void frmQNRepair::ReportFailures(const std::vector<RegistrationFailure>& failures) {
    const std::wstring text = FormatRegistrationFailures(failures);
    if (text.empty()) return;
    ::MessageBoxW(hwnd_, text.c_str(), LoadResString(IDS_REPAIR_FAILED_TITLE).c_str(), MB_OK | MB_ICONWARNING);
}

}  // namespace qn
