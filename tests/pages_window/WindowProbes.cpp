#include "WindowProbes.h"

#include <commctrl.h>

#include <set>

namespace qn::test {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    WCHAR className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

std::wstring WindowText(HWND window) {
    WCHAR text[4096] = {};
    ::GetWindowTextW(window, text, 4096);
    return text;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::function<void()> whileShown)
    : uiThread_(::GetCurrentThreadId()), whileShown_(std::move(whileShown)), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() { Stop(); }

std::vector<SeenMessageBox> MessageBoxWatcher::Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void MessageBoxWatcher::Watch() {
    std::set<HWND> handled;
    while (!stop_) {
        std::vector<HWND> dialogs;
        ::EnumThreadWindows(uiThread_, CollectDialog, reinterpret_cast<LPARAM>(&dialogs));
        for (const HWND dialog : dialogs) {
            if (!handled.insert(dialog).second) continue;
            SeenMessageBox box{WindowText(dialog), WindowText(::GetDlgItem(dialog, kMessageBoxTextId))};
            if (whileShown_) whileShown_();
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back(std::move(box));
            }
            ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(5);
    }
}

ProgressProbe::ProgressProbe(HWND bar, std::function<void(int)> onStep) : bar_(bar), onStep_(std::move(onStep)) {
    ::SetWindowSubclass(bar_, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

ProgressProbe::~ProgressProbe() {
    if (::IsWindow(bar_)) ::RemoveWindowSubclass(bar_, Proc, 1);
}

LRESULT CALLBACK ProgressProbe::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == PBM_SETPOS && wParam > 0) {
        auto* probe = reinterpret_cast<ProgressProbe*>(self);
        if (probe->onStep_) probe->onStep_(static_cast<int>(wParam));
    }
    return result;
}

ProgressState ReadProgress(HWND bar) {
    PBRANGE range{};
    ::SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    return {range.iLow, range.iHigh, static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0))};
}

}  // namespace qn::test
