#include "app/frmQNRepair.h"

#include <commctrl.h>
#include <shellapi.h>

#include <algorithm>

#include "analysis/MdacPage.h"
#include "app/ReportFileDialog.h"
#include "app/WindowMessages.h"
#include "platform/SystemLibrary.h"
#include "resources/resource.h"

namespace qn {

namespace {

constexpr wchar_t kWindowClass[] = L"QNRepairMainWindow";

void OpenWithShell(const std::wstring& url) {
    // The browser's own failure dialogs are its business; nothing is reported here.
    ::ShellExecuteW(nullptr, L"open", url.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

bool RegisterWindowClass(HINSTANCE instance, WNDPROC proc) {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof(wc);
    if (::GetClassInfoExW(instance, kWindowClass, &wc)) return true;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    // Shared resource icons: the system keeps them for the module, nobody destroys them.
    wc.hIcon = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                               ::GetSystemMetrics(SM_CXICON), ::GetSystemMetrics(SM_CYICON), LR_SHARED));
    wc.hIconSm = static_cast<HICON>(::LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON, ::GetSystemMetrics(SM_CXSMICON),
                                                 ::GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kWindowClass;
    return ::RegisterClassExW(&wc) != 0;
}

FormServices WithDefaults(FormServices services) {
    if (!services.openUrl) services.openUrl = OpenWithShell;
    if (!services.queryOsVersion) services.queryOsVersion = QueryOsVersion;
    if (services.captureHost.empty()) services.captureHost = ThisProgramPath();
    if (!services.chooseReportFile) services.chooseReportFile = ChooseReportFile;
    return services;
}

}  // namespace

frmQNRepair::frmQNRepair(HINSTANCE instance, FormServices services)
    : instance_(instance), services_(WithDefaults(std::move(services))), windowsVersion_(services_.queryOsVersion) {
    // Creation of the window object: the common controls, nothing else.
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TAB_CLASSES | ICC_LISTVIEW_CLASSES |
                                                      ICC_PROGRESS_CLASS | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&classes);
}

frmQNRepair::~frmQNRepair() {
    if (hwnd_) ::DestroyWindow(hwnd_);
}

bool frmQNRepair::Create(int showCommand) {
    if (!RegisterWindowClass(instance_, WindowProc) || !RegisterPageClass(instance_)) return false;
    firstMdacAnalysis_ = std::make_unique<BackgroundCall<MdacFindings>>(&AnalyseMdac);
    constexpr DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    // Created hidden at a provisional size: the layout needs the DPI of the window's monitor.
    if (!::CreateWindowExW(WS_EX_CONTROLPARENT, kWindowClass, L"", style, CW_USEDEFAULT, CW_USEDEFAULT,
                           640, 480, nullptr, nullptr, instance_, this)) {
        return false;
    }
    dpi_ = WindowDpi(hwnd_);
    PlaceWindow();
    linkCursor_ = static_cast<HCURSOR>(::LoadImageW(instance_, MAKEINTRESOURCEW(IDC_LINKHAND), IMAGE_CURSOR, 0, 0,
                                                    LR_DEFAULTSIZE | LR_SHARED));
    // The font is settled before the first control exists, so each control gets it once.
    ChooseFontFace();
    CreateFonts();
    if (!CreateControls(Ctl::None)) {
        ::DestroyWindow(hwnd_);
        return false;
    }
    // As a dialog starts: focus cues shown or not after the input that opened the window.
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_INITIALIZE, 0), 0);
    Load();
    AddSystemMenuItems();
    ::ShowWindow(hwnd_, showCommand);
    ::UpdateWindow(hwnd_);
    ::SetFocus(Control(Ctl::cmdQuit));
    return true;
}

LRESULT CALLBACK frmQNRepair::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* form = static_cast<frmQNRepair*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        form->hwnd_ = hwnd;
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
    }
    auto* form = reinterpret_cast<frmQNRepair*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!form) return ::DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        form->hwnd_ = nullptr;
        form->controls_.fill(nullptr);
        return ::DefWindowProcW(hwnd, message, wParam, lParam);
    }
    return form->HandleMessage(message, wParam, lParam);
}

LRESULT frmQNRepair::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_COMMAND:
            OnCommand(LOWORD(wParam), HIWORD(wParam), reinterpret_cast<HWND>(lParam));
            return 0;
        case WM_NOTIFY:
            return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
        case WM_CTLCOLORSTATIC:
            return OnCtlColorStatic(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
        case WM_SETCURSOR:
            if (OnSetCursor(reinterpret_cast<HWND>(wParam))) return TRUE;
            break;
        case WM_MOUSEMOVE:
            if (!IsOverChildControl(hwnd_, lParam)) OnSurfaceMouseMove(Ctl::None);
            return 0;
        case kMsgSurfaceMouseMove:
            OnSurfaceMouseMove(static_cast<Ctl>(wParam));
            return 0;
        case kMsgLinkMouseMove:
            OnLinkHover(static_cast<Ctl>(wParam));
            return 0;
        case kMsgTabMouseDown:
            OnTabMouseDown();
            return 0;
        case kMsgCaptionOf: {
            const Ctl caption = CaptionOf(static_cast<Ctl>(wParam));
            return reinterpret_cast<LRESULT>(caption == Ctl::None ? nullptr : Control(caption));
        }
        case WM_SYSCOLORCHANGE:
            OnSystemColoursChanged();
            return 0;
        case WM_SETTINGCHANGE:
            if (wParam == SPI_SETHIGHCONTRAST) OnSystemColoursChanged();
            break;
        case WM_TIMER:
            if (wParam == kTabTimerId) OnTabTimer();
            else if (wParam == kShellExecuteTimerId) OnShellExecuteTimer();
            return 0;
        case WM_DPICHANGED:
            OnDpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam));
            return 0;
        case WM_ACTIVATE:
            OnActivate(LOWORD(wParam) != WA_INACTIVE);
            return 0;
        case WM_SYSCOMMAND:
            if (OnSysCommand(static_cast<UINT>(wParam & 0xFFF0))) return 0;
            break;
        case WM_CLOSE:
            OnClose();
            return 0;
        case WM_DESTROY:
            ::PostQuitMessage(0);
            return 0;
        default:
            break;
    }
    return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

void frmQNRepair::OnCommand(WORD id, WORD code, HWND control) {
    if (id == IDCANCEL) {  // cmdQuit, or Escape
        OnQuit();
        return;
    }
    if (!control) return;
    const Ctl source = FromHandle(control);
    if (source == Ctl::None) return;
    // STN_CLICKED and BN_CLICKED are both 0: only the kind of control tells a link from a button.
    if (LayoutOf(source).kind == Kind::LinkLabel) {
        if (code == STN_CLICKED) OnLinkClick(source);
        return;
    }
    if (code == BN_CLICKED) {
        switch (source) {
            case Ctl::cmdAbout: OnAbout(); break;
            case Ctl::Command1: OnRepairMdac(); break;
            case Ctl::Command3: OnRepairJet(); break;
            default: break;
        }
    }
}

LRESULT frmQNRepair::OnNotify(const NMHDR& header) {
    const Ctl source = FromHandle(header.hwndFrom);
    if (source == Ctl::TabStrip1 && (header.code == TCN_SELCHANGE || header.code == NM_CLICK)) {
        OnTabClick();
    } else if ((source == Ctl::lvwMDACFiles || source == Ctl::lvwJetFiles) && header.code == LVN_COLUMNCLICK) {
        OnColumnClick(source, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
    }
    return 0;
}

void frmQNRepair::OnActivate(bool active) {
    // As a dialog does: the control that had the focus gets it back when the window is
    // activated again (after a message box, or after the user worked in another program).
    if (!active) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) focusOnDeactivate_ = focus;
    } else if (focusOnDeactivate_ && ::IsWindow(focusOnDeactivate_) && ::IsChild(hwnd_, focusOnDeactivate_)) {
        ::SetFocus(focusOnDeactivate_);
    } else {
        ::SetFocus(Control(Ctl::cmdQuit));
    }
}

void frmQNRepair::OnClose() {
    // A repair lets messages run between files; the window must outlive it, so the close is
    // carried out when the repair has stopped.
    if (repairDepth_ > 0) {
        closePending_ = true;
        return;
    }
    ::DestroyWindow(hwnd_);
}

void frmQNRepair::CarryOutPendingClose() {
    if (!closePending_) return;
    closePending_ = false;
    // Posted: the button or menu command whose work held the close back is still on the call stack.
    ::PostMessageW(hwnd_, WM_CLOSE, 0, 0);
}

bool frmQNRepair::DoEvents() { return RunPendingMessages(0); }

bool frmQNRepair::DoEventsBetweenSteps() {
    // Under Wine every paint is a round trip to the display; a step of a repair takes about a
    // millisecond, so painting after each would cost as much as the work. The user still sees
    // the progress move, and clicks and keys are answered after every step.
    constexpr DWORD kPaintIntervalMs = 50;
    const DWORD now = ::GetTickCount();
    if (now - lastPaintTick_ >= kPaintIntervalMs) {
        lastPaintTick_ = now;
        return DoEvents();
    }
    return RunPendingMessages(PM_QS_INPUT | PM_QS_POSTMESSAGE | PM_QS_SENDMESSAGE);
}

bool frmQNRepair::RunPendingMessages(UINT filter) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE | filter)) {
        if (msg.message == WM_QUIT) {
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (!PreTranslateMessage(msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageW(&msg);
        }
    }
    return hwnd_ != nullptr && !closePending_;
}

bool frmQNRepair::PreTranslateMessage(MSG& msg) {
    if (!hwnd_ || (msg.hwnd != hwnd_ && !::IsChild(hwnd_, msg.hwnd))) return false;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB &&
        !(::GetKeyState(VK_CONTROL) & 0x8000)) {
        // The user works with the keyboard: from now on the focused control shows it.
        ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
        MoveFocusInOrder(msg.hwnd, (::GetKeyState(VK_SHIFT) & 0x8000) != 0);
        return true;
    }
    return ::IsDialogMessageW(hwnd_, &msg) != FALSE;
}

void frmQNRepair::MoveFocusInOrder(HWND from, bool backwards) {
    // Dialog navigation would follow the z-order, which puts the pages before the tab strip;
    // the designed order is the controls' tab index.
    std::vector<Ctl> stops;
    for (size_t i = 0; i < kControlCount; ++i) {
        const Ctl id = static_cast<Ctl>(i);
        const ControlLayout& row = LayoutOf(id);
        if (row.tabIndex < 0 || row.kind == Kind::Page) continue;
        if (::IsWindowVisible(Control(id)) && ::IsWindowEnabled(Control(id))) stops.push_back(id);
    }
    if (stops.empty()) return;
    std::sort(stops.begin(), stops.end(), [](Ctl a, Ctl b) { return LayoutOf(a).tabIndex < LayoutOf(b).tabIndex; });
    Ctl current = FromHandle(from);
    for (HWND h = from; current == Ctl::None && h && h != hwnd_; h = ::GetParent(h)) current = FromHandle(h);
    auto at = std::find(stops.begin(), stops.end(), current);
    size_t next = 0;
    if (at != stops.end()) {
        const size_t index = static_cast<size_t>(at - stops.begin());
        next = backwards ? (index + stops.size() - 1) % stops.size() : (index + 1) % stops.size();
    } else if (backwards) {
        next = stops.size() - 1;
    }
    ::SetFocus(Control(stops[next]));
}

std::wstring frmQNRepair::GetFile(const std::wstring& sFile) const { return qn::GetFile(sFile); }
std::wstring frmQNRepair::GetFile03(const std::wstring& sFile) const { return qn::GetFile03(sFile); }

}  // namespace qn
