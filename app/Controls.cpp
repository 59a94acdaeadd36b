// Turning the layout table into child windows, and the small operations on them.
#include <iterator>
#include <windows.h>
#include <windowsx.h>
#include <commctrl.h>

#include <algorithm>

#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"
#include "platform/SystemLibrary.h"
#include "resources/resource.h"

namespace qn {

namespace {

constexpr wchar_t kPageClass[] = L"QNRepairPage";
constexpr int kFirstControlId = 1000;
// The window's font as designed: 8 point; the face may become Tahoma at start-up.
constexpr int kFontPoints = 8;
constexpr wchar_t kDesignFace[] = L"MS Sans Serif";
// Labels laid out taller than this hold two lines and wrap; the others keep one line.
constexpr int kSingleLineTwips = 255;
// What a grown label leaves free at its page's right edge.
constexpr int kPageMarginTwips = 90;

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

LRESULT CALLBACK LinkLabelProc(HWND label, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                               DWORD_PTR window) {
    if (message == WM_MOUSEMOVE) {
        ::SendMessageW(reinterpret_cast<HWND>(window), kMsgLinkMouseMove, id, 0);
    } else if (message == WM_NCDESTROY) {
        ::RemoveWindowSubclass(label, LinkLabelProc, id);
    }
    return ::DefSubclassProc(label, message, wParam, lParam);
}

LRESULT CALLBACK TabStripProc(HWND tabs, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                              DWORD_PTR window) {
    switch (message) {
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
            ::SendMessageW(reinterpret_cast<HWND>(window), kMsgTabMouseDown, 0, 0);
            break;
        case WM_NCDESTROY:
            ::RemoveWindowSubclass(tabs, TabStripProc, id);
            break;
        default:
            break;
    }
    return ::DefSubclassProc(tabs, message, wParam, lParam);
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
            return {WC_STATICW, child | SS_LEFT | SS_NOPREFIX | SS_NOTIFY, 0};
        case Kind::ListView:
            return {WC_LISTVIEWW, child | tabStop | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                    WS_EX_CLIENTEDGE};
        case Kind::ProgressBar:
            return {PROGRESS_CLASSW, child, 0};
    }
    return {WC_STATICW, child, 0};
}

UINT WindowDpi(HWND window) {
    using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
    // Windows 10 knows the DPI of each window's monitor; older systems have one DPI.
    if (const auto getDpi = GetProc<GetDpiForWindowFn>(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")) {
        if (const UINT dpi = getDpi(window)) return dpi;
    }
    const HDC screen = ::GetDC(nullptr);
    const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen) ::ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : 96;
}

RECT WindowRectForClient(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
    RECT rect{0, 0, width, height};
    using AdjustForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
    const auto adjust = GetProc<AdjustForDpiFn>(::GetModuleHandleW(L"user32.dll"), "AdjustWindowRectExForDpi");
    if (!adjust || !adjust(&rect, style, FALSE, exStyle, dpi)) ::AdjustWindowRectEx(&rect, style, FALSE, exStyle);
    return rect;
}

// The frame computed for a DPI is not always the frame drawn: a system that does not rescale
// the caption and borders with the window's DPI (Wine) leaves the client area too large or too
// small. The measured difference is added, so the client area is exactly what the layout needs.
void FitClientArea(HWND window, int width, int height) {
    RECT client{};
    RECT outer{};
    if (!::GetClientRect(window, &client) || !::GetWindowRect(window, &outer)) return;
    if (client.right == width && client.bottom == height) return;
    ::SetWindowPos(window, nullptr, 0, 0, outer.right - outer.left + width - client.right,
                   outer.bottom - outer.top + height - client.bottom, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
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

bool frmQNRepair::CreateControls() {
    dpi_ = WindowDpi(hwnd_);
    linkCursor_ = static_cast<HCURSOR>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDC_LINKHAND), IMAGE_CURSOR,
                                                    0, 0, LR_DEFAULTSIZE | LR_SHARED));
    faceName_ = kDesignFace;
    CreateFonts();
    for (size_t i = 0; i < kControlCount; ++i) {
        const Ctl id = static_cast<Ctl>(i);
        const ControlLayout& row = LayoutOf(id);
        const ClassAndStyle kind = WindowKind(row);
        const Ctl parent = WindowParent(id);
        const HWND parentWindow = parent == Ctl::None ? hwnd_ : Control(parent);
        const int controlId = id == Ctl::cmdQuit ? IDCANCEL : kFirstControlId + static_cast<int>(i);
        const RECT r = PixelRect(id);
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
                ::SetWindowSubclass(control, LinkLabelProc, static_cast<UINT_PTR>(id),
                                    reinterpret_cast<DWORD_PTR>(hwnd_));
                break;
            case Kind::TabStrip: {
                ::SetWindowSubclass(control, TabStripProc, static_cast<UINT_PTR>(id),
                                    reinterpret_cast<DWORD_PTR>(hwnd_));
                for (int tab = 0; tab < static_cast<int>(std::size(kTabDesignCaptions)); ++tab) {
                    TCITEMW item{};
                    item.mask = TCIF_TEXT;
                    item.pszText = const_cast<wchar_t*>(kTabDesignCaptions[tab]);
                    ::SendMessageW(control, TCM_INSERTITEMW, tab, reinterpret_cast<LPARAM>(&item));
                }
                break;
            }
            case Kind::ListView:
                for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
                    LVCOLUMNW col{};
                    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
                    col.pszText = const_cast<wchar_t*>(kFileListColumns[column].header);
                    col.cx = TwipsToPixels(kFileListColumns[column].widthTwips, dpi_);
                    col.iSubItem = column;
                    ::SendMessageW(control, LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&col));
                }
                break;
            default:
                break;
        }
    }
    // A new child window goes below its older siblings, so the creation order of the layout
    // table is already the z-order. Group boxes go below the labels they frame, or they would paint over them.
    for (const Ctl frame : {Ctl::Frame1, Ctl::Frame2, Ctl::Frame3}) {
        ::SetWindowPos(Control(frame), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    }
    SizeWindow();
    FitTexts();
    return true;
}

void frmQNRepair::CreateFonts() {
    LOGFONTW design{};
    design.lfHeight = -::MulDiv(kFontPoints, static_cast<int>(dpi_), 72);
    design.lfWeight = FW_NORMAL;
    design.lfCharSet = DEFAULT_CHARSET;
    design.lfQuality = DEFAULT_QUALITY;
    lstrcpynW(design.lfFaceName, faceName_.c_str(), LF_FACESIZE);
    font_.reset(::CreateFontIndirectW(&design));
    design.lfUnderline = TRUE;
    underlinedFont_.reset(::CreateFontIndirectW(&design));
    // Text widths are measured on a DC of our own: the fonts have their size in pixels, so no
    // control's DC is needed, and getting one per label is slow.
    if (!measureDc_) measureDc_.reset(::CreateCompatibleDC(nullptr));
}

RECT frmQNRepair::PixelRect(Ctl id) const {
    const RECT r = ParentRectTwips(id);
    return RECT{TwipsToPixels(r.left, dpi_), TwipsToPixels(r.top, dpi_), TwipsToPixels(r.right, dpi_),
                TwipsToPixels(r.bottom, dpi_)};
}

void frmQNRepair::SizeWindow() {
    const int width = TwipsToPixels(kClientWidthTwips, dpi_);
    const int height = TwipsToPixels(kClientHeightTwips, dpi_);
    const RECT window = WindowRectForClient(width, height, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                                            static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, window.right - window.left, window.bottom - window.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea(hwnd_, width, height);
}

void frmQNRepair::ApplyFonts() {
    for (size_t i = 0; i < kControlCount; ++i) {
        ::SendMessageW(controls_[i], WM_SETFONT,
                       reinterpret_cast<WPARAM>(underlined_[i] ? underlinedFont_.get() : font_.get()), FALSE);
    }
    FitTexts();
}

void frmQNRepair::FitTexts() {
    for (size_t i = 0; i < kControlCount; ++i) {
        const Ctl id = static_cast<Ctl>(i);
        if (LayoutOf(id).kind == Kind::LinkLabel) FitLinkLabel(id);
        if (LayoutOf(id).kind == Kind::Label) FitLabel(id);
    }
}

void frmQNRepair::ApplyLayout() {
    SizeWindow();
    for (size_t i = 0; i < kControlCount; ++i) {
        const RECT r = PixelRect(static_cast<Ctl>(i));
        ::SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) {
        for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
            ::SendMessageW(Control(list), LVM_SETCOLUMNWIDTH, column,
                           TwipsToPixels(kFileListColumns[column].widthTwips, dpi_));
        }
    }
    ApplyFonts();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
}

void frmQNRepair::CenterOnScreen() {
    RECT window{};
    ::GetWindowRect(hwnd_, &window);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    const int width = window.right - window.left;
    const int height = window.bottom - window.top;
    ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void frmQNRepair::OnDpiChanged(UINT dpi, const RECT& suggested) {
    dpi_ = dpi;
    CreateFonts();
    ApplyLayout();
    ::SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

namespace {

int TextWidth(HDC dc, HFONT font, const std::wstring& text) {
    if (!dc || text.empty()) return 0;
    const HGDIOBJ old = ::SelectObject(dc, font);
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    return extent.cx;
}

void SetWidth(HWND control, int width) {
    RECT r{};
    ::GetWindowRect(control, &r);
    if (r.right - r.left == width) return;  // most fills set the texts they had before
    ::SetWindowPos(control, nullptr, 0, 0, width, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void frmQNRepair::FitLinkLabel(Ctl label) {
    // A link label is as wide as its text, so that only the text reacts to the mouse.
    const HWND control = Control(label);
    SetWidth(control, TextWidth(measureDc_.get(),
                                underlined_[static_cast<size_t>(label)] ? underlinedFont_.get() : font_.get(), Text(label)));
}

void frmQNRepair::FitLabel(Ctl label) {
    // A one-line label whose text is wider than laid out (a wider font than designed, a long
    // translation) grows to the right as far as its page allows, rather than cutting the text.
    const ControlLayout& row = LayoutOf(label);
    if (row.height > kSingleLineTwips) return;
    const HWND control = Control(label);
    const RECT laidOut = ParentRectTwips(label);
    const int left = TwipsToPixels(laidOut.left, dpi_);
    const int width = TwipsToPixels(laidOut.right, dpi_) - left;
    RECT parent{};
    ::GetClientRect(::GetParent(control), &parent);
    const int room = std::max(width, static_cast<int>(parent.right) - left - TwipsToPixels(kPageMarginTwips, dpi_));
    const int text = TextWidth(measureDc_.get(), font_.get(), Text(label));
    SetWidth(control, std::clamp(text, width, room));
}

Ctl frmQNRepair::FromHandle(HWND control) const {
    if (!control) return Ctl::None;
    for (size_t i = 0; i < kControlCount; ++i) {
        if (controls_[i] == control) return static_cast<Ctl>(i);
    }
    return Ctl::None;
}

void frmQNRepair::SetText(Ctl id, const std::wstring& text) {
    ::SetWindowTextW(Control(id), text.c_str());
    if (LayoutOf(id).kind == Kind::LinkLabel) FitLinkLabel(id);
    if (LayoutOf(id).kind == Kind::Label) FitLabel(id);
}

std::wstring frmQNRepair::Text(Ctl id) const {
    const HWND control = Control(id);
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(control)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(control, text.data(), static_cast<int>(text.size()))));
    return text;
}

void frmQNRepair::SetVisible(Ctl id, bool visible) { ::ShowWindow(Control(id), visible ? SW_SHOWNA : SW_HIDE); }

bool frmQNRepair::IsVisible(Ctl id) const {
    return (::GetWindowLongPtrW(Control(id), GWL_STYLE) & WS_VISIBLE) != 0;
}

void frmQNRepair::SetUnderline(Ctl label, bool underline) {
    underlined_[static_cast<size_t>(label)] = underline;
    ::SendMessageW(Control(label), WM_SETFONT,
                   reinterpret_cast<WPARAM>(underline ? underlinedFont_.get() : font_.get()), TRUE);
}

bool frmQNRepair::IsUnderlined(Ctl label) const { return underlined_[static_cast<size_t>(label)]; }

void frmQNRepair::BringToFront(Ctl page) {
    ::SetWindowPos(Control(page), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void frmQNRepair::SetTabCaption(int index, const std::wstring& caption) {
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(caption.c_str());
    ::SendMessageW(Control(Ctl::TabStrip1), TCM_SETITEMW, index, reinterpret_cast<LPARAM>(&item));
}

LRESULT frmQNRepair::OnCtlColorStatic(HDC dc, HWND control) {
    const Ctl id = FromHandle(control);
    if (id != Ctl::None && LayoutOf(id).kind == Kind::LinkLabel) ::SetTextColor(dc, RGB(0, 0, 255));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

bool frmQNRepair::OnSetCursor(HWND over) {
    if (repairDepth_ > 0) {
        // While a repair runs the whole window shows the hourglass.
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return true;
    }
    const Ctl id = FromHandle(over);
    if (id == Ctl::None || LayoutOf(id).kind != Kind::LinkLabel || !linkCursor_) return false;
    ::SetCursor(linkCursor_);
    return true;
}

}  // namespace qn
