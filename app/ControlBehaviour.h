// What the window's controls do beyond their standard classes, added to each control when it is
// created. Each reports to `window`, the program's window, with the messages of WindowMessages.h.
#pragma once

#include <windows.h>

#include "app/Layout.h"

namespace qn {

// A link label: reports the mouse moving over it; Enter or Space opens it as a click does; the
// focused label shows the system's focus cue.
void AddLinkBehaviour(HWND label, Ctl id, HWND window);

// A control that screen readers name by another control's text (CaptionOf).
void AddAccessibleName(HWND control, Ctl id, HWND window);

// A file list: Ctrl+A selects every row, Ctrl+C copies the selected rows (all rows when none is
// selected) with a header line, tab-separated, as the list shows them.
void AddFileListKeys(HWND list);

// The colour of link text on `face`: the system's link colour where it can be read (under a
// high-contrast theme always: the theme has chosen it), else the designed pure blue, else `text`.
COLORREF LinkColour(COLORREF hotlight, COLORREF face, COLORREF text, bool highContrast);

// LinkColour of the current system colours and high-contrast setting.
COLORREF SystemLinkColour();

// The colours of a file list, from the system: window text on the window colour.
void ApplyListColours(HWND list);

}  // namespace qn
