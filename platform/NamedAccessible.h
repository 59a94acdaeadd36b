// A control as screen readers see it, under a name other than its own text.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// The answer to WM_GETOBJECT (`flags` is the message's wParam) for the client object of
// `control`: the system's standard object for the control, with `name` as its name. 0 when
// the system's accessibility library is missing or fails; the control then answers itself.
LRESULT NamedClientObject(HWND control, WPARAM flags, const std::wstring& name);

}  // namespace qn
