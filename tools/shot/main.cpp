// Screenshot driver: finds the running QNRepair window, shows each of its four pages in turn
// and saves the window as it appears on the screen, title bar included.
//
//   qnshot <folder> <tag>     writes <folder>\<page>-<tag>.bmp for mdac, jet, windows and
//                             components, prints each path, then closes the window.
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <iterator>
#include <string>

#include "tools/shot/ScreenCapture.h"

namespace {

constexpr wchar_t kMainWindowClass[] = L"QNRepairMainWindow";
// In tab order.
constexpr const wchar_t* kPageNames[] = {L"mdac", L"jet", L"windows", L"components"};
// A fresh prefix can take this long to start the program.
constexpr DWORD kWindowWaitMs = 60000;
constexpr DWORD kPollMs = 100;
// Wine hands a window's drawing to the X server a little after the program painted it.
constexpr DWORD kSettleMs = 800;

HWND WaitForMainWindow() {
    for (DWORD waited = 0; waited < kWindowWaitMs; waited += kPollMs) {
        const HWND window = ::FindWindowW(kMainWindowClass, nullptr);
        if (window && ::IsWindowVisible(window)) return window;
        ::Sleep(kPollMs);
    }
    return nullptr;
}

// Lets the window finish what it was asked to do and paint it.
void Settle(HWND window) {
    DWORD_PTR ignored = 0;
    ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, 10000, &ignored);
    ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ::Sleep(kSettleMs);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    if (argc != 3) {
        std::fputws(L"usage: qnshot <folder> <tag>\n", stderr);
        return 2;
    }
    const std::wstring folder = argv[1];
    const std::wstring tag = argv[2];

    const HWND window = WaitForMainWindow();
    if (!window) {
        std::fputws(L"qnshot: no QNRepair window appeared\n", stderr);
        return 1;
    }
    const HWND tabs = ::FindWindowExW(window, nullptr, WC_TABCONTROLW, nullptr);
    if (!tabs) {
        std::fputws(L"qnshot: the window has no tab strip\n", stderr);
        return 1;
    }
    // Keep the pointer off the window so that no link shows its hover underline.
    ::SetCursorPos(0, 0);
    ::SetForegroundWindow(window);

    int status = 0;
    for (int page = 0; page < static_cast<int>(std::size(kPageNames)); ++page) {
        // Selects the tab as the keyboard does; the window switches and fills the page.
        ::SendMessageW(tabs, TCM_SETCURFOCUS, static_cast<WPARAM>(page), 0);
        Settle(window);
        RECT area{};
        ::GetWindowRect(window, &area);
        const std::wstring path = folder + L"\\" + kPageNames[page] + L"-" + tag + L".bmp";
        if (qn::shot::SaveScreenRect(area, path)) {
            std::wprintf(L"%ls\n", path.c_str());
        } else {
            std::fwprintf(stderr, L"qnshot: could not save %ls (error %lu)\n", path.c_str(), ::GetLastError());
            status = 1;
        }
    }
    std::fflush(stdout);
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    return status;
}
