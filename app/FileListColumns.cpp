// The widths of the file lists' columns: no text cut, the rest of the list to one column.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/ControlText.h"
#include "app/frmQNRepair.h"

namespace qn {

namespace {

int HeaderWidth(HWND list, int column) {
    // The header keeps a margin on either side of its text (three edge widths on every system
    // we know of; comctl32 5.8 and later tell it).
    const auto header = reinterpret_cast<HWND>(::SendMessageW(list, LVM_GETHEADER, 0, 0));
    const int margin = std::max(static_cast<int>(::SendMessageW(header, HDM_GETBITMAPMARGIN, 0, 0)),
                                3 * ::GetSystemMetrics(SM_CXEDGE));
    const std::wstring text = ListColumnHeader(list, column);
    return static_cast<int>(::SendMessageW(list, LVM_GETSTRINGWIDTHW, 0, reinterpret_cast<LPARAM>(text.c_str()))) +
           2 * margin;
}

// The width the list itself needs to show every cell of `column` uncut.
int CellsWidth(HWND list, int column) {
    ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), LVSCW_AUTOSIZE);
    return static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

// The sum of the widths of the columns that keep their own width.
int FixedColumnsWidth(HWND list) {
    int used = 0;
    for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
        if (kFileListColumns[column].fillsRest) continue;
        used += static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
    }
    return used;
}

}  // namespace

void frmQNRepair::SetFileListColumnWidths(HWND list, std::optional<int> only) {
    for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
        const ColumnLayout& layout = kFileListColumns[column];
        if (layout.fillsRest || (only && column != *only)) continue;
        int width = std::max({TwipsToPixels(layout.widthTwips, dpi_), CellsWidth(list, column), HeaderWidth(list, column)});
        if (layout.mostTwips > 0) width = std::min(width, TwipsToPixels(layout.mostTwips, dpi_));
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
    }
    FitFillingColumn(list);
}

void frmQNRepair::FitFillingColumn(HWND list) {
    RECT client{};
    ::GetClientRect(list, &client);
    const int used = FixedColumnsWidth(list);
    for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
        const ColumnLayout& layout = kFileListColumns[column];
        if (!layout.fillsRest) continue;
        const int width = std::max(TwipsToPixels(layout.widthTwips, dpi_), static_cast<int>(client.right) - used);
        // Setting a width repaints the header at once; an unchanged one is left alone.
        if (::SendMessageW(list, LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0) == width) continue;
        ::SendMessageW(list, LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), width);
    }
}

void frmQNRepair::SetColumnWidthsAndDraw(HWND list, std::optional<int> column) {
    SetFileListColumnWidths(list, column);
    ::SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    // Only a list that draws knows whether it needs a vertical scroll bar, which takes from
    // the width the columns share.
    FitFillingColumn(list);
    ::InvalidateRect(list, nullptr, TRUE);
}

void frmQNRepair::FitFileListColumns(Ctl listView, std::optional<int> column) {
    const HWND list = Control(listView);
    if (!list) return;
    // A list in view repaints its header for every width set (each several times the cost of
    // measuring a column under Wine), so there the widths are set with drawing held back.
    if (!::IsWindowVisible(list)) {
        SetFileListColumnWidths(list, column);
        return;
    }
    ::SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SetColumnWidthsAndDraw(list, column);
}

}  // namespace qn
