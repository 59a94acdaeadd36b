// Reading texts back from controls, as the user sees them.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// The text of `window` (empty for a null window).
std::wstring WindowText(HWND window);

// The text of row `item`, column `column` of the report-view list `list`.
std::wstring ListCellText(HWND list, int item, int column);

// The header text of column `column` of the report-view list `list`.
std::wstring ListColumnHeader(HWND list, int column);

}  // namespace qn
