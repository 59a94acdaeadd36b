// Turning the layout table into child windows of the standard classes.
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <iterator>

#include "app/ControlBehaviour.h"
#include "app/ControlSubclass.h"
#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"
#include "app/Layout.h"
#include "platform/Strings.h"
#include "resources/resource.h"

namespace qn {

namespace {

constexpr wchar_t kPageClass[] = L"QNRepairPage";
constexpr int kFirstControlId = 1000;

LRESULT CALLBACK PageProc(HWND page, UINT message, WPARAM wParam, LPARAM lParam) {
    // Pages are containers: what their controls report belongs to the window.
    switch (message) {
        case WM_COMMAND:
        case WM_NOTIFY:
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN:
            return ::SendMessageW(::GetParent(page), message, wParam, lParam);
        case WM_SETCURSOR:
            if (::SendMessageW(::GetParent(page), message, wParam, lParam)) return TRUE;
            break;
        case WM_MOUSEMOVE:
            if (!IsOverChildControl(page, lParam)) {
                ::SendMessageW(::GetParent(page), kMsgSurfaceMouseMove,
                               static_cast<WPARAM>(::GetWindowLongPtrW(page, GWLP_USERDATA)), 0);
            }
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(page, message, wParam, lParam);
}

LRESULT CALLBACK TabStripProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                              DWORD_PTR window) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ::SendMessageW(reinterpret_cast<HWND>(window), kMsgTabMouseDown, 0, 0);
            break;
        default:
            break;
    }
    return DefControlProc(tabs, message, wParam, lParam);
}

// A progress bar paints itself at once whenever it takes a new position (it updates its window
// before returning), which under Wine is a round trip to the display for every file a repair
// handles. That paint is declined: the bar stays invalid, and the next paint of the window,
// which the repair lets run often enough to show progress, draws the latest position.
LRESULT CALLBACK ProgressBarProc(HWND bar, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                 DWORD_PTR moving) {
    bool& inMove = *reinterpret_cast<bool*>(moving);
    switch (message) {
        case PBM_SETPOS:
        case PBM_DELTAPOS:
        case PBM_STEPIT: {
            inMove = true;
            const LRESULT result = DefControlProc(bar, message, wParam, lParam);
            inMove = false;
            return result;
        }
        case WM_PAINT:
            if (inMove) return 0;
            break;
        default:
            break;
    }
    return DefControlProc(bar, message, wParam, lParam);
}

struct ClassAndStyle {
    const wchar_t* className;
    DWORD style;
    DWORD exStyle;
};

ClassAndStyle WindowKind(const ControlLayout& row) {
    constexpr DWORD child = WS_CHILD | WS_CLIPSIBLINGS;
    const DWORD tabStop = row.tabIndex >= 0 ? WS_TABSTOP : 0;
    switch (row.kind) {
        case Kind::Page:
            return {kPageClass, child | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
        case Kind::TabStrip:
            return {WC_TABCONTROLW, child | tabStop | TCS_FOCUSONBUTTONDOWN, 0};
        case Kind::Button:
            return {WC_BUTTONW, child | tabStop | BS_PUSHBUTTON, 0};
        case Kind::Frame:
            // A group box paints only its border and caption; WS_EX_TRANSPARENT keeps it out of
            // the page's clipping, so the page erases what the previous page left inside it.
            return {WC_BUTTONW, child | BS_GROUPBOX, WS_EX_TRANSPARENT};
        case Kind::Label:
            // SS_NOTIFY makes a label take the mouse itself: without it the pointer over a
            // label counts as over the surface beneath, which would clear a link's underline.
            return {WC_STATICW,
                    child | SS_NOPREFIX | SS_NOTIFY | (row.height > kSingleLineTwips ? SS_LEFT : SS_LEFTNOWORDWRAP), 0};
        case Kind::LinkLabel:
            // SS_NOTIFY: the label reports clicks and receives the mouse.
            return {WC_STATICW, child | tabStop | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::ListView:
            // Several rows can be selected, so that Ctrl+A and Ctrl+C can take them all.
            return {WC_LISTVIEWW, child | tabStop | LVS_REPORT | LVS_SHOWSELALWAYS, WS_EX_CLIENTEDGE};
        case Kind::ProgressBar:
            return {PROGRESS_CLASSW, child, 0};
    }
    return {WC_STATICW, child, 0};
}

}  // namespace

bool IsOverChildControl(HWND container, LPARAM position) {
    // Plain labels and group boxes are transparent to the mouse, so their container gets the
    // moves over them; those moves are not over its bare surface.
    const POINT at{GET_X_LPARAM(position), GET_Y_LPARAM(position)};
    const HWND child = ::ChildWindowFromPointEx(container, at, CWP_SKIPINVISIBLE);
    return child && child != container;
}

bool RegisterPageClass(HINSTANCE instance) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, kPageClass, &wc)) return true;
    wc.lpfnWndProc = PageProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kPageClass;
    return ::RegisterClassExW(&wc) != 0;
}

bool frmQNRepair::CreateControls(Ctl container) {
    // A new child window goes below its older siblings, so creating the rows in layout order
    // gives the designed z-order. Group boxes come last, below the labels they frame, or they
    // would paint over them.
    for (const bool frames : {false, true}) {
        for (size_t i = 0; i < kControlCount; ++i) {
            const Ctl id = static_cast<Ctl>(i);
            if (controls_[i] || WindowParent(id) != container || (LayoutOf(id).kind == Kind::Frame) != frames) continue;
            if (!CreateControl(id)) return false;
        }
    }
    return true;
}

bool frmQNRepair::HasControlsToCreate(Ctl container) const {
    for (size_t i = 0; i < kControlCount; ++i) {
        if (!controls_[i] && WindowParent(static_cast<Ctl>(i)) == container) return true;
    }
    return false;
}

bool frmQNRepair::CreateControl(Ctl id) {
    const auto i = static_cast<size_t>(id);
    const ControlLayout& row = LayoutOf(id);
    const ClassAndStyle kind = WindowKind(row);
    const Ctl parent = WindowParent(id);
    const HWND parentWindow = parent == Ctl::None ? hwnd_ : Control(parent);
    const int controlId = id == Ctl::cmdQuit ? IDCANCEL : kFirstControlId + static_cast<int>(i);
    RECT r = PixelRect(id);
    // Created at the width its design text needs, so that no label is sized twice.
    r.right = r.left + FittedWidth(id, row.designText);
    const HWND control = ::CreateWindowExW(
        kind.exStyle, kind.className, row.designText, kind.style | (row.visible ? WS_VISIBLE : 0), r.left, r.top,
        r.right - r.left, r.bottom - r.top, parentWindow, reinterpret_cast<HMENU>(static_cast<INT_PTR>(controlId)),
        instance_, nullptr);
    if (!control) return false;
    controls_[i] = control;
    ::SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font_.get()), FALSE);
    switch (row.kind) {
        case Kind::Page:
            ::SetWindowLongPtrW(control, GWLP_USERDATA, static_cast<LONG_PTR>(id));
            break;
        case Kind::LinkLabel:
            AddLinkBehaviour(control, id, hwnd_);
            break;
        case Kind::TabStrip: {
            SubclassControl(control, TabStripProc, static_cast<UINT_PTR>(id), reinterpret_cast<DWORD_PTR>(hwnd_));
            for (int tab = 0; tab < static_cast<int>(std::size(kTabDesignCaptions)); ++tab) {
                TCITEMW item{};
                item.mask = TCIF_TEXT;
                item.pszText = const_cast<wchar_t*>(kTabDesignCaptions[tab]);
                ::SendMessageW(control, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
            }
            break;
        }
        case Kind::ListView: {
            for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
                LVCOLUMNW col{};
                col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
                // The registration column is the program's own, its header in the user's language.
                std::wstring header = column == kRegistrationColumn ? LoadResString(IDS_COLUMN_REGISTRATION)
                                                                    : std::wstring(kFileListColumns[column].header);
                col.pszText = header.data();
                col.cx = TwipsToPixels(kFileListColumns[column].widthTwips, dpi_);
                col.iSubItem = column;
                ::SendMessageW(control, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
            }
            const auto style = static_cast<DWORD>(::SendMessageW(control, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
            ::SendMessageW(control, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, style | LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
            ApplyListColours(control);
            AddFileListKeys(control);
            // Its columns are fitted when the page's analysis first fills it, right after.
            break;
        }
        case Kind::ProgressBar:
            SubclassControl(control, ProgressBarProc, static_cast<UINT_PTR>(id),
                            reinterpret_cast<DWORD_PTR>(&progressMoving_));
            break;
        case Kind::Button:
            if ((id == Ctl::Command1 || id == Ctl::Command3) && state_.lWinVersion == kWinXP) SetRepairButtonIcon(id);
            break;
        default:
            break;
    }
    if (CaptionOf(id) != Ctl::None) AddAccessibleName(control, id, hwnd_);
    return true;
}

}  // namespace qn
