// Link labels: the mouse, the keyboard and the focus cue.
#include <windows.h>
#include <commctrl.h>

#include "app/ControlBehaviour.h"
#include "app/ControlSubclass.h"
#include "app/WindowMessages.h"

namespace qn {

namespace {

constexpr LPARAM kRepeatedKey = 1 << 30;

// As the system draws a focused control: a dotted rectangle, left out while keyboard cues are
// hidden (the user has worked with the mouse only since the window opened).
void DrawFocusCue(HWND label, HDC dc) {
    if (::GetFocus() != label) return;
    if (::SendMessageW(label, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) return;
    RECT client{};
    ::GetClientRect(label, &client);
    ::DrawFocusRect(dc, &client);
}

LRESULT CALLBACK LinkProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR window) {
    switch (message) {
        case WM_MOUSEMOVE:
            ::SendMessageW(reinterpret_cast<HWND>(window), kMsgLinkMouseMove, id, 0);
            break;
        case WM_GETDLGCODE: {
            // Enter on a focused link opens it; without this the dialog keys would take it.
            const auto* key = reinterpret_cast<const MSG*>(lParam);
            const LRESULT code = DefControlProc(label, message, wParam, lParam);
            if (key && key->message == WM_KEYDOWN && key->wParam == VK_RETURN) return code | DLGC_WANTMESSAGE;
            return code;
        }
        case WM_KEYDOWN:
            if ((wParam == VK_RETURN || wParam == VK_SPACE) && !(lParam & kRepeatedKey)) {
                // Exactly the notification a click sends, so the same deferred open follows.
                ::SendMessageW(::GetParent(label), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(label), STN_CLICKED),
                               reinterpret_cast<LPARAM>(label));
                return 0;
            }
            break;
        case WM_SETFOCUS:
        case WM_KILLFOCUS:
        case WM_UPDATEUISTATE: {
            const LRESULT result = DefControlProc(label, message, wParam, lParam);
            ::InvalidateRect(label, nullptr, TRUE);
            return result;
        }
        case WM_PAINT: {
            // The label paints into the same DC, so the cue is clipped to what was repainted
            // and the XOR of DrawFocusRect never meets a cue drawn before.
            PAINTSTRUCT paint{};
            const HDC dc = ::BeginPaint(label, &paint);
            DefControlProc(label, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
            DrawFocusCue(label, dc);
            ::EndPaint(label, &paint);
            return 0;
        }
        default:
            break;
    }
    return DefControlProc(label, message, wParam, lParam);
}

}  // namespace

void AddLinkBehaviour(HWND label, Ctl id, HWND window) {
    SubclassControl(label, LinkProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(window));
}

}  // namespace qn
