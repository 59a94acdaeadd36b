// Names for screen readers: a value is named by its caption, a list by its heading.
#include <windows.h>
#include <commctrl.h>

#include <string>

#include "app/ControlBehaviour.h"
#include "app/ControlSubclass.h"
#include "app/ControlText.h"
#include "app/WindowMessages.h"
#include "platform/NamedAccessible.h"

namespace qn {

namespace {

LRESULT CALLBACK AccessibleNameProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                    DWORD_PTR window) {
    // The object id arrives as a 32-bit value, whatever the width of lParam.
    if (message == WM_GETOBJECT && static_cast<LONG>(lParam) == OBJID_CLIENT) {
        const auto caption = reinterpret_cast<HWND>(::SendMessageW(reinterpret_cast<HWND>(window), kMsgCaptionOf, id, 0));
        const std::wstring name = WindowText(caption);
        if (!name.empty()) {
            if (const LRESULT object = NamedClientObject(control, wParam, name)) return object;
        }
    }
    return DefControlProc(control, message, wParam, lParam);
}

}  // namespace

void AddAccessibleName(HWND control, Ctl id, HWND window) {
    SubclassControl(control, AccessibleNameProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(window));
}

}  // namespace qn
