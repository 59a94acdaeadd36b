// Reading and changing the controls: texts, visibility, fonts, colours, pointer.
#include <windows.h>
#include <commctrl.h>

#include "app/ControlBehaviour.h"
#include "app/ControlText.h"
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
    // Labels and buttons repaint at once on every new text, and every page visit sets them all.
    if (Text(id) == text) return;
    ::SetWindowTextW(Control(id), text.c_str());
    FitToText(id);
}

void frmQNRepair::SetTextDrawnLater(Ctl id, const std::wstring& text) {
    // While its drawing is held back the label neither draws its text nor counts as visible,
    // so a new width does not draw the page beneath either; both wait for the next paint.
    // Drawing is turned on again by making the label visible: a hidden one is left hidden.
    if (!IsVisible(id)) {
        SetText(id, text);
        return;
    }
    const HWND label = Control(id);
    const HWND parent = ::GetParent(label);
    RECT before{};
    ::GetWindowRect(label, &before);
    ::SendMessageW(label, WM_SETREDRAW, FALSE, 0);
    SetText(id, text);
    ::SendMessageW(label, WM_SETREDRAW, TRUE, 0);
    RECT after{};
    ::GetWindowRect(label, &after);
    RECT both{};
    ::UnionRect(&both, &before, &after);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&both), 2);
    ::RedrawWindow(parent, &both, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

std::wstring WindowText(HWND window) {
    if (!window) return {};
    std::wstring text(static_cast<size_t>(::GetWindowTextLengthW(window)) + 1, L'\0');
    text.resize(static_cast<size_t>(::GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
    return text;
}

std::wstring frmQNRepair::Text(Ctl id) const { return WindowText(Control(id)); }

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
    // Labels keep the default colours, button text on button face; set here all the same, as
    // a DC's own default is black on white whatever the theme.
    const Ctl id = FromHandle(control);
    const bool link = id != Ctl::None && LayoutOf(id).kind == Kind::LinkLabel;
    ::SetTextColor(dc, link ? linkColour_ : ::GetSysColor(COLOR_BTNTEXT));
    ::SetBkColor(dc, ::GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(::GetSysColorBrush(COLOR_BTNFACE));
}

void frmQNRepair::OnSystemColoursChanged() {
    linkColour_ = SystemLinkColour();
    // The common controls learn of a new colour scheme only from their parent window.
    for (size_t i = 0; i < kControlCount; ++i) {
        const Ctl id = static_cast<Ctl>(i);
        const Kind kind = LayoutOf(id).kind;
        if (!Control(id) || (kind != Kind::ListView && kind != Kind::TabStrip && kind != Kind::ProgressBar)) continue;
        ::SendMessageW(Control(id), WM_SYSCOLORCHANGE, 0, 0);
        if (kind == Kind::ListView) ApplyListColours(Control(id));
    }
    ::RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
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
