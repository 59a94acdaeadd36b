// The hourglass and the close guard of work that lets window messages run: repairs and the
// registration check.
#pragma once

#include <windows.h>

#include "app/frmQNRepair.h"

namespace qn {

// While a repair or a check runs the window shows the hourglass; nested runs share it. A close that
// arrived meanwhile is carried out once the last run has let go of the controls.
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

}  // namespace qn
