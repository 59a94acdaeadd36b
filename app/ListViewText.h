// Reading the texts of a report-view list back from the control.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// The text of row `item`, column `column` of `list`, as the list shows it.
std::wstring ListCellText(HWND list, int item, int column);

}  // namespace qn
