// The two component file lists: one row per record, sorted by a clicked column.
#include <iterator>
#include <windows.h>
#include <commctrl.h>

#include "app/frmQNRepair.h"

namespace qn {

namespace {

struct SortContext {
    HWND list;
    int column;
};

std::wstring CellText(HWND list, int item, int column) {
    WCHAR buffer[1024] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = buffer;
    cell.cchTextMax = static_cast<int>(std::size(buffer));
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
    return buffer;
}

int CALLBACK CompareCells(LPARAM first, LPARAM second, LPARAM context) {
    const auto& sort = *reinterpret_cast<const SortContext*>(context);
    // Ascending text order, letter case ignored, as the user reads file names.
    return ::lstrcmpiW(CellText(sort.list, static_cast<int>(first), sort.column).c_str(),
                       CellText(sort.list, static_cast<int>(second), sort.column).c_str());
}

}  // namespace

void frmQNRepair::FillFileList(Ctl listView, const FileList& files) {
    const HWND list = Control(listView);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    for (size_t i = 0; i < files.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = const_cast<wchar_t*>(files[i].FileName.c_str());
        const auto row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) continue;
        LVITEMW cell{};
        cell.iSubItem = 1;
        cell.pszText = const_cast<wchar_t*>(files[i].FileVersion.c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        cell.iSubItem = 2;
        cell.pszText = const_cast<wchar_t*>(files[i].FilePath.c_str());
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
    }
    // A list the user has sorted stays sorted when it is filled anew.
    SortFileList(listView);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
}

void frmQNRepair::SortFileList(Ctl listView) {
    const std::optional<int>& column = listView == Ctl::lvwMDACFiles ? mdacSortColumn_ : jetSortColumn_;
    if (!column) return;
    SortContext context{Control(listView), *column};
    ::SendMessageW(context.list, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&context),
                   reinterpret_cast<LPARAM>(CompareCells));
}

void frmQNRepair::OnColumnClick(Ctl listView, int column) {
    // Every click sorts ascending by the clicked column; there is no toggling.
    (listView == Ctl::lvwMDACFiles ? mdacSortColumn_ : jetSortColumn_) = column;
    SortFileList(listView);
}

}  // namespace qn
