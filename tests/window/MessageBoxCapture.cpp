#include "MessageBoxCapture.h"

namespace qn::test {

namespace {

constexpr DWORD kWaitMs = 5000;
// The message text of a box; the icon static differs between systems (0x14 on Windows).
constexpr int kTextId = 0xFFFF;

std::wstring WindowText(HWND window) {
    WCHAR text[4096] = {};
    ::GetWindowTextW(window, text, 4096);
    return text;
}

BOOL CALLBACK ReadChild(HWND child, LPARAM into) {
    auto& box = *reinterpret_cast<CapturedMessageBox*>(into);
    WCHAR className[32] = {};
    ::GetClassNameW(child, className, 32);
    const std::wstring kind = className;
    if (kind == L"Button" && ::IsWindowVisible(child)) box.buttons.push_back(::GetDlgCtrlID(child));
    if (kind == L"Static" && ::SendMessageW(child, STM_GETICON, 0, 0) != 0) box.hasIcon = true;
    return TRUE;
}

HWND FindOwnedDialog(HWND owner) {
    HWND dialog = nullptr;
    while ((dialog = ::FindWindowExW(nullptr, dialog, L"#32770", nullptr)) != nullptr) {
        if (::GetWindow(dialog, GW_OWNER) == owner && ::IsWindowVisible(dialog)) return dialog;
    }
    return nullptr;
}

}  // namespace

MessageBoxCapture::MessageBoxCapture(HWND owner) : owner_(owner), watcher_([this] { Watch(); }) {}

MessageBoxCapture::~MessageBoxCapture() {
    if (watcher_.joinable()) watcher_.join();
}

const CapturedMessageBox& MessageBoxCapture::Result() {
    if (watcher_.joinable()) watcher_.join();
    return box_;
}

void MessageBoxCapture::Watch() {
    const DWORD start = ::GetTickCount();
    HWND dialog = nullptr;
    while (!(dialog = FindOwnedDialog(owner_)) && ::GetTickCount() - start < kWaitMs) ::Sleep(10);
    if (!dialog) return;
    box_.shown = true;
    box_.title = WindowText(dialog);
    box_.text = WindowText(::GetDlgItem(dialog, kTextId));
    ::EnumChildWindows(dialog, ReadChild, reinterpret_cast<LPARAM>(&box_));
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
