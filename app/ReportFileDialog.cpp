#include "app/ReportFileDialog.h"

#include <commdlg.h>

#include "platform/Handles.h"
#include "platform/Strings.h"
#include "platform/SystemLibrary.h"
#include "resources/resource.h"

namespace qn {

std::optional<std::wstring> ChooseReportFile(HWND owner, const std::wstring& fileName) {
    // Pairs of description and pattern, each NUL-terminated, the list ended by another NUL.
    const std::wstring filter = LoadResString(IDS_REPORT_FILE_TYPE) + L'\0' + L"*.txt" + L'\0' + L'\0';
    WCHAR path[MAX_PATH * 4] = {};
    fileName.copy(path, MAX_PATH - 1);
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter.c_str();
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH * 4;
    dialog.lpstrDefExt = L"txt";
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_NOCHANGEDIR | OFN_HIDEREADONLY;
    // Loaded only when the user saves a report: linked in, the dialog library and what it
    // brings along would be loaded, and take memory, at every start.
    using GetSaveFileNameFn = BOOL(WINAPI*)(OPENFILENAMEW*);
    const UniqueModule library{LoadSystemLibrary(L"comdlg32.dll")};
    const auto getSaveFileName = GetProc<GetSaveFileNameFn>(library.get(), "GetSaveFileNameW");
    if (!getSaveFileName || !getSaveFileName(&dialog)) return std::nullopt;
    return std::wstring(path);
}

}  // namespace qn
