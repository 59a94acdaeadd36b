// Where the user wants the report saved.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qn {

// The system's Save As dialog for a text file, owned by `owner`, suggesting `fileName`; the
// chosen path, or none when the user cancels.
std::optional<std::wstring> ChooseReportFile(HWND owner, const std::wstring& fileName);

}  // namespace qn
