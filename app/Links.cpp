// Link labels, the About message and leaving the program.
#include "app/AboutText.h"
#include "app/WindowMessages.h"
#include "app/frmQNRepair.h"
#include "platform/Strings.h"
#include "resources/resource.h"

namespace qn {

namespace {

// The maker's home page: the same in every language.
constexpr wchar_t kHomePage[] = L"https://www.quillnest.example/";
constexpr wchar_t kCopyright[] = L"Copyright \u00A9 2004 Quillnest Software";
constexpr wchar_t kVersionLine[] = L"Version 1.1";

}  // namespace

void frmQNRepair::OnLinkHover(Ctl label) {
    if (!IsUnderlined(label)) {
        if (state_.oHoverLabel != Ctl::None) SetUnderline(state_.oHoverLabel, false);
        state_.oHoverLabel = label;
        SetUnderline(label, true);
    } else if (state_.oHoverLabel != Ctl::None && state_.oHoverLabel != label) {
        SetUnderline(state_.oHoverLabel, false);
        state_.oHoverLabel = Ctl::None;
    }
}

void frmQNRepair::OnSurfaceMouseMove(Ctl surface) {
    // Only the window's own surface and the two pages with links clear the highlight.
    if (surface != Ctl::None && surface != Ctl::picMDAC && surface != Ctl::picJET) return;
    if (state_.oHoverLabel == Ctl::None) return;
    SetUnderline(state_.oHoverLabel, false);
    state_.oHoverLabel = Ctl::None;
}

void frmQNRepair::OnLinkClick(Ctl label) {
    switch (label) {
        case Ctl::lblQNAdLink: state_.sLinkUrl = kHomePage; break;
        case Ctl::Label19: state_.sLinkUrl = LoadResString(IDS_MDAC_DOWNLOAD_URL); break;
        case Ctl::Label23: state_.sLinkUrl = LoadResString(IDS_JET_DOWNLOAD_URL); break;
        default: return;
    }
    // The browser starts from the timer, after the click has been handled.
    state_.ShellExecuteTimerEnabled = ::SetTimer(hwnd_, kShellExecuteTimerId, kShellExecuteTimerMs, nullptr) != 0;
    DoEvents();
    if (IsClosed()) return;
    SetUnderline(label, false);
}

void frmQNRepair::OnShellExecuteTimer() {
    ::KillTimer(hwnd_, kShellExecuteTimerId);
    state_.ShellExecuteTimerEnabled = false;
    services_.openUrl(state_.sLinkUrl);
}

std::wstring AboutText(bool quillnestInstalled) {
    // Lines are separated by a bare carriage return.
    std::wstring text;
    if (quillnestInstalled) {
        text = LoadResString(IDS_CAPTION_INSTALLED) + L"\r" + kVersionLine + L"\r\r" + kCopyright;
    } else {
        text = LoadResString(IDS_CAPTION_NOT_INSTALLED) + L"\r" + kVersionLine + L"\r\r" + kCopyright + L"\r\r\r" +
               LoadResString(IDS_AD_ABOUT) + L"\r" + LoadResString(IDS_AD_DOWNLOAD);
    }
    return text;
}

void frmQNRepair::OnAbout() {
    ::MessageBoxW(hwnd_, AboutText(state_.bQuillnestInstalled).c_str(), LoadResString(IDS_ABOUT).c_str(), MB_OK);
}

void frmQNRepair::OnQuit() { OnClose(); }

}  // namespace qn
