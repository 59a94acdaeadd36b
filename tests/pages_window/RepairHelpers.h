// What the repair tests look at: the page while a repair runs and the warning it leaves.
#pragma once

#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "Components.h"
#include "WindowProbes.h"
#include "support/MessageBoxWatcher.h"
#include "support/FormDriver.h"

namespace qn::test {

// The controls a repair changes, as they stand at one moment.
struct RepairPageState {
    bool buttonVisible = false;
    bool barVisible = false;
    bool linkVisible = false;
    std::wstring fileLabel;
    bool hourglass = false;
    bool fileLabelDrawn = false;  // no part of the label waits for a paint
};

// True when the window shows the hourglass with the mouse over it. Read from any thread: the
// window is asked for its pointer, which is then read from the input state it shares.
inline bool ShowsHourglass(HWND window) {
    const DWORD windowThread = ::GetWindowThreadProcessId(window, nullptr);
    const DWORD self = ::GetCurrentThreadId();
    const bool attached = windowThread != self && ::AttachThreadInput(self, windowThread, TRUE);
    ::SendMessageW(window, WM_SETCURSOR, reinterpret_cast<WPARAM>(window), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    const bool hourglass = ::GetCursor() == ::LoadCursorW(nullptr, IDC_WAIT);
    if (attached) ::AttachThreadInput(self, windowThread, FALSE);
    return hourglass;
}

inline RepairPageState ReadRepairPage(const FormDriver& window, Ctl button, Ctl bar) {
    RECT pending{};
    return {window.Visible(button),       window.Visible(bar),          window.Visible(Ctl::Label19),
            window.Text(Ctl::Label11),    ShowsHourglass(window.hwnd()),
            !::GetUpdateRect(window.control(Ctl::Label11), &pending, FALSE)};
}

// Clicks `button` and returns the message boxes shown until the repair has finished.
inline std::vector<SeenMessageBox> ClickAndConfirm(FormDriver& window, Ctl button,
                                                   std::function<void()> whileShown = {}) {
    MessageBoxWatcher watcher(std::move(whileShown));
    window.Click(button);
    return watcher.Stop();
}

// The page after a repair: button back, bar hidden, no file named, focus on Exit.
inline void ExpectRepairFinished(const FormDriver& window, Ctl button, Ctl bar) {
    EXPECT_TRUE(window.Visible(button));
    EXPECT_FALSE(window.Visible(bar));
    EXPECT_EQ(window.Text(Ctl::Label11), L"");
    EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit));
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

// `parts` appear in `text` in this order.
inline void ExpectInOrder(const std::wstring& text, const std::vector<std::wstring>& parts) {
    size_t from = 0;
    for (const std::wstring& part : parts) {
        const size_t at = text.find(part, from);
        EXPECT_NE(at, std::wstring::npos) << "missing or out of order: " << Narrow(part) << "\nin:\n" << Narrow(text);
        if (at != std::wstring::npos) from = at + part.size();
    }
}

inline bool Contains(const std::wstring& text, const std::wstring& part) {
    return text.find(part) != std::wstring::npos;
}

}  // namespace qn::test
