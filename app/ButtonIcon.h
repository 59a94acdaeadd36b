// A small icon beside the caption of a push button.
#pragma once

#include <windows.h>

#include "platform/Handles.h"

namespace qn {

// Shows `icon` left of the caption of push button `button` with the given margins in pixels.
// The returned image list must live as long as the button shows the icon.
UniqueImageList SetButtonIcon(HWND button, HICON icon, int marginLeft, int marginTop);

}  // namespace qn
