// Reading and changing the controls: texts, visibility, fonts, colours, pointer.
#include <windows.h>
#include <commctrl.h>

#include "app/frmQNRepair.h"

namespace qn {

Ctl frmQNRepair::FromHandle(HWND control) const {
    if (!control) return Ctl::None;
    for (size_t i = 0; i < kControlCount; ++i) {
        if (controls_[i] == control) return static_cast<Ctl>(i);
    }
    return Ctl::None;
}

void frmQNRepair::SetText(Ctl id, const std::wstring& text) {
    ::SetWindowTextW(Control(id), text.c_str());
    FitToText(id);
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
