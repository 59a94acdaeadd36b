// Placing the controls and fitting texts at the window's DPI.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <iterator>

#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"
#include "platform/SystemLibrary.h"

namespace qn {

namespace {

// What a grown label leaves free at its page's right edge.
constexpr int kPageMarginTwips = 90;

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

void frmQNRepair::PlaceWindow() {
    const int width = TwipsToPixels(kClientWidthTwips, dpi_);
    const int height = TwipsToPixels(kClientHeightTwips, dpi_);
    const RECT frame = WindowRectForClient(width, height, static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_STYLE)),
                                           static_cast<DWORD>(::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE)), dpi_);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(hwnd_, MONITOR_DEFAULTTOPRIMARY), &monitor);
    const RECT& area = monitor.rcWork;
    // Size and place in one move: each move of a window costs a round of messages.
    const int outerWidth = frame.right - frame.left;
    const int outerHeight = frame.bottom - frame.top;
    ::SetWindowPos(hwnd_, nullptr, area.left + (area.right - area.left - outerWidth) / 2,
                   area.top + (area.bottom - area.top - outerHeight) / 2, outerWidth, outerHeight,
                   SWP_NOZORDER | SWP_NOACTIVATE);
    FitClientArea(hwnd_, width, height);
}

void frmQNRepair::ApplyFonts() {
    for (size_t i = 0; i < kControlCount; ++i) {
        if (!controls_[i]) continue;
        ::SendMessageW(controls_[i], WM_SETFONT,
                       reinterpret_cast<WPARAM>(underlined_[i] ? underlinedFont_.get() : font_.get()), FALSE);
        FitToText(static_cast<Ctl>(i));
    }
}

void frmQNRepair::ApplyLayout() {
    PlaceWindow();
    for (size_t i = 0; i < kControlCount; ++i) {
        if (!controls_[i]) continue;
        const RECT r = PixelRect(static_cast<Ctl>(i));
        ::SetWindowPos(controls_[i], nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    // The fonts fit every text anew, the lists' columns among them.
    ApplyFonts();
    ::InvalidateRect(hwnd_, nullptr, TRUE);
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

int frmQNRepair::FittedWidth(Ctl label, const std::wstring& text) const {
    const auto i = static_cast<size_t>(label);
    const ControlLayout& row = LayoutOf(label);
    // A link label is as wide as its text, so that only the text reacts to the mouse.
    if (row.kind == Kind::LinkLabel) {
        return TextWidth(measureDc_.get(), underlined_[i] ? underlinedFont_.get() : font_.get(), text);
    }
    const RECT laidOut = PixelRect(label);
    const int width = laidOut.right - laidOut.left;
    if (row.kind != Kind::Label || row.height > kSingleLineTwips) return width;
    // A one-line label whose text is wider than laid out (a wider font than designed, a long
    // translation) grows to the right as far as its page allows, rather than cutting the text.
    const Ctl parent = WindowParent(label);
    const RECT parentRect = parent == Ctl::None ? RECT{0, 0, TwipsToPixels(kClientWidthTwips, dpi_), 0} : PixelRect(parent);
    const int parentWidth = static_cast<int>(parentRect.right - parentRect.left);
    const int room = std::max(width, parentWidth - static_cast<int>(laidOut.left) - TwipsToPixels(kPageMarginTwips, dpi_));
    return std::clamp(TextWidth(measureDc_.get(), font_.get(), text), width, room);
}

void frmQNRepair::FitToText(Ctl id) {
    const Kind kind = LayoutOf(id).kind;
    if ((kind == Kind::Label && LayoutOf(id).height <= kSingleLineTwips) || kind == Kind::LinkLabel) {
        SetWidth(Control(id), FittedWidth(id, Text(id)));
    } else if (kind == Kind::ListView) {
        FitFileListColumns(id);
    }
}

}  // namespace qn
