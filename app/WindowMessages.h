// Private messages and timer ids of the window and its pages.
#pragma once

#include <windows.h>

namespace qn {

// The pointer moved over the bare surface of a page; wParam: the page's Ctl.
inline constexpr UINT kMsgSurfaceMouseMove = WM_APP + 1;
// The pointer moved over a link label; wParam: the label's Ctl.
inline constexpr UINT kMsgLinkMouseMove = WM_APP + 2;
// A mouse button went down over the tab strip.
inline constexpr UINT kMsgTabMouseDown = WM_APP + 3;
// A screen reader asks for a control's name; wParam: the control's Ctl. The result is the
// window of the control whose text names it, or null when its own text is its name.
inline constexpr UINT kMsgCaptionOf = WM_APP + 4;

// Items the window adds to its system menu (below 0xF000, the low four bits clear).
inline constexpr UINT kSysCmdCheckRegistrations = 0x0100;

inline constexpr UINT_PTR kTabTimerId = 1;
inline constexpr UINT kTabTimerMs = 1;
inline constexpr UINT_PTR kShellExecuteTimerId = 2;
inline constexpr UINT kShellExecuteTimerMs = 4;

// The DPI of `window`'s monitor (the system's DPI where monitors do not have their own).
UINT WindowDpi(HWND window);

// The window class of the page containers.
bool RegisterPageClass(HINSTANCE instance);

// True when `position` (client coordinates of `container`, as a mouse message gives them) lies
// on one of its visible child controls rather than on its bare surface.
bool IsOverChildControl(HWND container, LPARAM position);

}  // namespace qn
