// The two component file lists: one row per record, sorted by a clicked column.
#include <iterator>
#include <string>
#include <vector>
#include <windows.h>
#include <commctrl.h>

#include "app/ControlText.h"
#include "app/frmQNRepair.h"
#include "report/FindingTexts.h"

namespace qn {

std::wstring ListCellText(HWND list, int item, int column) {
    WCHAR buffer[1024] = {};
    LVITEMW cell{};
    cell.iSubItem = column;
    cell.pszText = buffer;
    cell.cchTextMax = static_cast<int>(std::size(buffer));
    ::SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(item), reinterpret_cast<LPARAM>(&cell));
    return buffer;
}

std::wstring ListColumnHeader(HWND list, int column) {
    WCHAR buffer[256] = {};
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = buffer;
    header.cchTextMax = static_cast<int>(std::size(buffer));
    ::SendMessageW(list, LVM_GETCOLUMNW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&header));
    return buffer;
}

namespace {

// `first` and `second` are the items' own data: their rows before the sort.
int CALLBACK CompareCells(LPARAM first, LPARAM second, LPARAM context) {
    const auto& cells = *reinterpret_cast<const std::vector<std::wstring>*>(context);
    // Ascending text order, letter case ignored, as the user reads file names; equal cells keep
    // their order, so sorting again by the same column changes nothing.
    const int order = ::lstrcmpiW(cells[static_cast<size_t>(first)].c_str(), cells[static_cast<size_t>(second)].c_str());
    if (order != 0) return order;
    return first < second ? -1 : (first > second ? 1 : 0);
}

}  // namespace

void frmQNRepair::FillFileList(Ctl listView, const FileList& files) {
    std::vector<std::wstring> cells;
    for (const FileInfo& file : files) {
        const std::wstring path = PathCell(file);
        cells.insert(cells.end(), {file.name, VersionCell(file), path, RegistrationCell(path)});
    }
    // A list that shows these very rows already is left as it is: nothing repaints, and the
    // rows the user selected stay selected.
    const auto shown = fileListCells_.find(listView);
    if (shown != fileListCells_.end() && shown->second == cells) return;
    fileListCells_[listView] = cells;

    const HWND list = Control(listView);
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    ::SendMessageW(list, LVM_DELETEALLITEMS, 0, 0);
    constexpr size_t kColumns = std::size(kFileListColumns);
    for (size_t i = 0; i < files.size(); ++i) {
        LVITEMW item{};
        item.mask = LVIF_TEXT;
        item.iItem = static_cast<int>(i);
        item.pszText = cells[i * kColumns].data();
        const auto row = static_cast<int>(::SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
        if (row < 0) continue;
        for (size_t column = 1; column < kColumns; ++column) {
            LVITEMW cell{};
            cell.iSubItem = static_cast<int>(column);
            cell.pszText = cells[i * kColumns + column].data();
            ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        }
    }
    // A list the user has sorted stays sorted when it is filled anew.
    SortFileList(listView);
    SetColumnWidthsAndDraw(list, std::nullopt);
}

void frmQNRepair::SortFileList(Ctl listView) {
    const std::optional<int>& column = listView == Ctl::lvwMDACFiles ? mdacSortColumn_ : jetSortColumn_;
    if (!column) return;
    // The list view moves its items while it sorts, so the indexes that LVM_SORTITEMSEX hands
    // the comparison do not reliably name the rows whose texts they would be read from (Wine
    // sorts its item array in place). The cells are read first, and each item carries its row.
    const HWND list = Control(listView);
    const auto count = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    std::vector<std::wstring> cells;
    for (int row = 0; row < count; ++row) {
        cells.push_back(ListCellText(list, row, *column));
        LVITEMW item{};
        item.mask = LVIF_PARAM;
        item.iItem = row;
        item.lParam = row;
        ::SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    ::SendMessageW(list, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&cells), reinterpret_cast<LPARAM>(CompareCells));
}

void frmQNRepair::OnColumnClick(Ctl listView, int column) {
    // Every click sorts ascending by the clicked column; there is no toggling.
    (listView == Ctl::lvwMDACFiles ? mdacSortColumn_ : jetSortColumn_) = column;
    SortFileList(listView);
}

// The rows may be sorted: each row's file is found by its path. With `path`, only the rows of
// that file change.
void frmQNRepair::ShowRegistrationColumn(Ctl listView, const std::optional<std::wstring>& path) {
    const HWND list = Control(listView);
    const std::optional<std::wstring> key = path ? std::optional(RegistrationCheckKey(*path)) : std::nullopt;
    bool changed = false;
    const int rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    for (int row = 0; row < rows; ++row) {
        const std::wstring rowPath = ListCellText(list, row, 2);
        if (key && RegistrationCheckKey(rowPath) != *key) continue;
        std::wstring text = RegistrationCell(rowPath);
        LVITEMW cell{};
        cell.iSubItem = kRegistrationColumn;
        cell.pszText = text.data();
        ::SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&cell));
        changed = true;
    }
    if (!changed) return;
    // The list's cells changed here: its next fill fills it anew.
    fileListCells_.erase(listView);
    FitFileListColumns(listView, path ? std::optional(kRegistrationColumn) : std::nullopt);
}

}  // namespace qn
