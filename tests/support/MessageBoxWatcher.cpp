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
    // The button's own flag: the box itself is not on the screen yet.
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
    : whileShown_(std::move(whileShown)),
      hook_(::SetWindowsHookExW(WH_CBT, WatchActivations, nullptr, ::GetCurrentThreadId())) {
    tWatcher = this;
}

MessageBoxWatcher::~MessageBoxWatcher() { Stop(); }

std::vector<SeenMessageBox> MessageBoxWatcher::Stop() {
    if (hook_) {
        ::UnhookWindowsHookEx(hook_);
        hook_ = nullptr;
        tWatcher = nullptr;
    }
    return seen_;
}

void MessageBoxWatcher::Activated(HWND dialog) {
    if (!open_.insert(dialog).second) return;  // activated again, not a new box
    // The box has its texts and buttons by now; it is about to be shown.
    SeenMessageBox box{WindowText(dialog), WindowText(::GetDlgItem(dialog, kMessageBoxTextId)), {}, false};
    ::EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&box));
    if (whileShown_) whileShown_();
    seen_.push_back(std::move(box));
    // Answered by the box's own message loop.
    ::PostMessageW(dialog, WM_COMMAND, IDOK, 0);
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
