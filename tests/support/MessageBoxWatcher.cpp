#include "support/MessageBoxWatcher.h"

#include <commctrl.h>

#include <set>

namespace qn::test {

namespace {

// The message text of a box; the icon static differs between systems (0x14 on Windows).
constexpr int kMessageBoxTextId = 0xFFFF;

BOOL CALLBACK CollectDialog(HWND window, LPARAM found) {
    WCHAR className[16] = {};
    ::GetClassNameW(window, className, 16);
    if (std::wstring(className) == L"#32770" && ::IsWindowVisible(window)) {
        reinterpret_cast<std::vector<HWND>*>(found)->push_back(window);
    }
    return TRUE;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM into) {
    auto& box = *reinterpret_cast<SeenMessageBox*>(into);
    WCHAR className[32] = {};
    ::GetClassNameW(child, className, 32);
    const std::wstring kind = className;
    if (kind == L"Button" && ::IsWindowVisible(child)) box.buttons.push_back(::GetDlgCtrlID(child));
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
            SeenMessageBox box{WindowText(dialog), WindowText(::GetDlgItem(dialog, kMessageBoxTextId)), {}, false};
            ::EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&box));
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
