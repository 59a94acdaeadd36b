#include "support/MessageBoxWatcher.h"

#include <commctrl.h>

namespace qn::test {

namespace {

// The message text of a box; the icon static differs between systems (0x14 on Windows).
constexpr int kMessageBoxTextId = 0xFFFF;

bool IsDialog(HWND window) {
    WCHAR className[16] = {};
    ::GetClassNameW(window, className, 16);
    return std::wstring(className) == L"#32770";
}

// The watcher of the thread this runs on; a hook procedure has no context of its own.
thread_local MessageBoxWatcher* tWatcher = nullptr;

LRESULT CALLBACK WatchActivations(int code, WPARAM wParam, LPARAM lParam) {
    if (tWatcher) {
        const auto window = reinterpret_cast<HWND>(wParam);
        if (code == HCBT_ACTIVATE && IsDialog(window)) tWatcher->Activated(window);
        if (code == HCBT_DESTROYWND) tWatcher->Destroyed(window);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

BOOL CALLBACK ReadChild(HWND child, LPARAM into) {
    auto& box = *reinterpret_cast<SeenMessageBox*>(into);
    WCHAR className[32] = {};
    ::GetClassNameW(child, className, 32);
    const std::wstring kind = className;
    // The button's own flag: the box itself may still be on its way to the screen.
    const bool shown = (::GetWindowLongPtrW(child, GWL_STYLE) & WS_VISIBLE) != 0;
    if (kind == L"Button" && shown) box.buttons.push_back(::GetDlgCtrlID(child));
    if (kind == L"Static" && ::SendMessageW(child, STM_GETICON, 0, 0) != 0) box.hasIcon = true;
    return TRUE;
}

std::wstring WindowText(HWND window) {
    WCHAR text[4096] = {};
    ::GetWindowTextW(window, text, 4096);
    return text;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(std::function<void()> whileShown)
    : whileShown_(std::move(whileShown)), wake_(::CreateEventW(nullptr, FALSE, FALSE, nullptr)),
      hook_(::SetWindowsHookExW(WH_CBT, WatchActivations, nullptr, ::GetCurrentThreadId())) {
    tWatcher = this;
    thread_ = std::thread([this] { Watch(); });
}

MessageBoxWatcher::~MessageBoxWatcher() {
    Stop();
    ::CloseHandle(wake_);
}

std::vector<SeenMessageBox> MessageBoxWatcher::Stop() {
    if (hook_) {
        ::UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        tWatcher = nullptr;
    }
    stop_ = true;
    ::SetEvent(wake_);
    if (thread_.joinable()) thread_.join();
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void MessageBoxWatcher::Activated(HWND window) {
    if (!open_.insert(window).second) return;  // activated again, not a new box
    {
        std::lock_guard<std::mutex> lock(mutex_);
        arrived_.push_back(window);
    }
    ::SetEvent(wake_);
}

void MessageBoxWatcher::Watch() {
    for (;;) {
        HWND dialog = nullptr;
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!arrived_.empty()) {
                dialog = arrived_.front();
                arrived_.pop_front();
            }
        }
        if (!dialog) {
            if (stop_) return;
            ::WaitForSingleObject(wake_, INFINITE);
            continue;
        }
        // Read once the showing thread runs the box's own loop, which answers these messages.
        SeenMessageBox box{WindowText(dialog), WindowText(::GetDlgItem(dialog, kMessageBoxTextId)), {}, false};
        ::EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&box));
        if (whileShown_) whileShown_();
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(std::move(box));
        }
        ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
    }
}

std::vector<std::wstring> SplitLines(const std::wstring& text, wchar_t separator) {
    std::vector<std::wstring> lines;
    size_t begin = 0;
    for (size_t end; (end = text.find(separator, begin)) != std::wstring::npos; begin = end + 1) {
        lines.push_back(text.substr(begin, end - begin));
    }
    lines.push_back(text.substr(begin));
    return lines;
}

}  // namespace qn::test
