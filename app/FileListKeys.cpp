// The keys of the file lists: selecting all rows and copying rows as text.
#include <windows.h>
#include <commctrl.h>

#include <iterator>
#include <string>

#include "app/ControlBehaviour.h"
#include "app/ControlSubclass.h"
#include "app/ControlText.h"
#include "platform/Clipboard.h"

namespace qn {

namespace {

constexpr wchar_t kCtrlA = 0x01;
constexpr wchar_t kCtrlC = 0x03;

int ColumnCount(HWND list) {
    const auto header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    return static_cast<int>(::SendMessageW(header, HDM_GETITEMCOUNT, 0, 0));
}

void AppendLine(std::wstring& text, HWND list, int columns, int item) {
    for (int column = 0; column < columns; ++column) {
        if (column > 0) text += L'\t';
        text += item < 0 ? ListColumnHeader(list, column) : ListCellText(list, item, column);
    }
    text += L"\r\n";
}

// The column headers, then each row (only the selected ones with `selectedOnly`), cells
// separated by tabs, every line ended by CR LF.
std::wstring ListAsText(HWND list, bool selectedOnly) {
    const int columns = ColumnCount(list);
    std::wstring text;
    AppendLine(text, list, columns, -1);
    const UINT which = selectedOnly ? LVNI_SELECTED : LVNI_ALL;
    for (auto item = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), which));
         item >= 0; item = static_cast<int>(::SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(item), which))) {
        AppendLine(text, list, columns, item);
    }
    return text;
}

void SelectAll(HWND list) {
    LVITEMW state{};
    state.stateMask = LVIS_SELECTED;
    state.state = LVIS_SELECTED;
    ::SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&state));
}

void CopyRows(HWND list) {
    const bool anySelected = ::SendMessageW(list, LVM_GETSELECTEDCOUNT, 0, 0) > 0;
    PutTextOnClipboard(list, ListAsText(list, anySelected));
}

bool ControlHeld() { return (::GetKeyState(VK_CONTROL) & 0x8000) != 0; }

LRESULT CALLBACK FileListKeysProc(HWND list, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    switch (message) {
        case WM_KEYDOWN:
            if (ControlHeld() && (wParam == 'A' || wParam == 'C')) {
                if (wParam == 'A') SelectAll(list);
                else CopyRows(list);
                return 0;
            }
            break;
        case WM_CHAR:
            // The characters these keys produce would start the list's type-ahead search.
            if (wParam == kCtrlA || wParam == kCtrlC) return 0;
            break;
        default:
            break;
    }
    return DefControlProc(list, message, wParam, lParam);
}

}  // namespace

void AddFileListKeys(HWND list) { SubclassControl(list, FileListKeysProc, 0, 0); }

}  // namespace qn
