// The hourglass and the disabled repair buttons of work that lets window messages run: the
// repairs and the registration check.
#pragma once

#include <windows.h>

#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"

namespace qn {

// While a repair or a registration check runs the window shows the hourglass, and both repair
// buttons and the check's menu item are disabled: the run lets messages run between files (and
// a component's registration code may run a message loop of its own), so a click must not start
// a second run while a component is half-registered.
class RepairScope {
public:
    explicit RepairScope(frmQNRepair& form) : form_(form) {
        ++form_.repairDepth_;
        EnableRepairButtons(false);
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
    }
    ~RepairScope() {
        if (--form_.repairDepth_ > 0) return;
        EnableRepairButtons(true);
        ::SetCursor(::LoadCursorW(nullptr, IDC_ARROW));
    }
    RepairScope(const RepairScope&) = delete;
    RepairScope& operator=(const RepairScope&) = delete;

private:
    void EnableRepairButtons(bool enable) {
        ::EnableWindow(form_.Control(Ctl::Command1), enable);
        ::EnableWindow(form_.Control(Ctl::Command3), enable);
        ::EnableMenuItem(::GetSystemMenu(form_.Handle(), FALSE), kSysCmdCheckRegistrations,
                         MF_BYCOMMAND | (enable ? MF_ENABLED : MF_GRAYED));
    }

    frmQNRepair& form_;
};

}  // namespace qn
