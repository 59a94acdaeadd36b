// Extending a control's own window procedure, as comctl32's SetWindowSubclass does, with the
// procedures kept in the control's user data instead of a window property. Wine answers every
// property lookup through its server, and comctl32 looks its property up twice or more per
// message: 28 rows put into a file list took 20 ms instead of 0.2 ms.
#pragma once

#include <windows.h>
#include <commctrl.h>

namespace qn {

// Puts `proc` in front of what the control does so far; the newest procedure sees a message
// first, and passes it on with DefControlProc. The control must not use its user data
// otherwise. Everything added goes when the control is destroyed.
bool SubclassControl(HWND control, SUBCLASSPROC proc, UINT_PTR id, DWORD_PTR data);

// Passes a message on from the running procedure to the one added before it, or finally to the
// control's own procedure.
LRESULT DefControlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam);

}  // namespace qn
