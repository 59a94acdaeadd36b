// Switching pages with the tab strip.
#include <iterator>
#include <windows.h>
#include <commctrl.h>

#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"

namespace qn {

namespace {

// Per selected tab (1-based): the page shown, and the pages hidden in this order.
struct PageRow {
    Ctl shown;
    Ctl hidden[3];
};
constexpr PageRow kPageRows[] = {
    {Ctl::picMDAC, {Ctl::picJET, Ctl::picWindows, Ctl::picComponents}},
    {Ctl::picJET, {Ctl::picMDAC, Ctl::picWindows, Ctl::picComponents}},
    {Ctl::picWindows, {Ctl::picJET, Ctl::picMDAC, Ctl::picComponents}},
    {Ctl::picComponents, {Ctl::picWindows, Ctl::picJET, Ctl::picMDAC}},
};

}  // namespace

void frmQNRepair::OnTabClick() {
    const HWND tabs = Control(Ctl::TabStrip1);
    const auto focus = static_cast<int>(::SendMessageW(tabs, TCM_GETCURFOCUS, 0, 0));
    // The click and the timer after a mouse press both get here; only the first that sees
    // the new tab switches, so each change analyses its page once.
    if (focus == state_.lLastTabFocus) return;
    state_.lLastTabFocus = focus;
    const auto selected = static_cast<int>(::SendMessageW(tabs, TCM_GETCURSEL, 0, 0)) + 1;
    ShowPage(selected);
    ::SetFocus(Control(Ctl::cmdQuit));
}

void frmQNRepair::ShowPage(int selectedTab) {
    if (selectedTab < 1 || selectedTab > static_cast<int>(std::size(kPageRows))) return;
    const PageRow& row = kPageRows[selectedTab - 1];
    // Its controls are created and filled before it comes to the front, so it appears once,
    // complete: every text set on a page in view is painted at once, and a list in view repaints
    // its header for each column it fits.
    CreateControls(row.shown);
    switch (selectedTab) {
        case 1: FillMDACPage(); break;
        case 2: FillJetPage(); break;
        case 3: FillWindowsPage(); break;
        case 4: FillComponentsPage(); break;
        default: break;
    }
    // The pages share one rectangle, so the page brought to the front covers all that the others
    // showed. It is drawn once, with the next paint; showing it and hiding the others would
    // each erase it and its controls at once, under Wine at about the cost of painting them.
    constexpr UINT kUndrawn = SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW;
    ::SetWindowPos(Control(row.shown), HWND_TOP, 0, 0, 0, 0, kUndrawn | SWP_SHOWWINDOW);
    for (const Ctl page : row.hidden) {
        ::SetWindowPos(Control(page), nullptr, 0, 0, 0, 0, kUndrawn | SWP_NOZORDER | SWP_HIDEWINDOW);
    }
    ::RedrawWindow(Control(row.shown), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void frmQNRepair::OnTabMouseDown() {
    state_.TabTimerEnabled = ::SetTimer(hwnd_, kTabTimerId, kTabTimerMs, nullptr) != 0;
}

void frmQNRepair::OnTabTimer() {
    ::KillTimer(hwnd_, kTabTimerId);
    state_.TabTimerEnabled = false;
    OnTabClick();
}

}  // namespace qn
