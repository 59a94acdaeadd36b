// Reading and confirming the message boxes that the window shows. A modal box blocks the
// thread that shows it, so a second thread reads and confirms it; a hook on the showing thread
// tells that thread of each box as it is activated, once per box (window handles are reused).
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <deque>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

namespace qn::test {

struct SeenMessageBox {
    std::wstring title;
    std::wstring text;
    std::vector<int> buttons;  // control ids of the visible buttons
    bool hasIcon = false;      // some static of the box shows an icon
};

// Watches the calling thread from its construction on: keeps what each box says and confirms
// it with OK. `whileShown` runs on the watching thread while a box is up, to look at the window
// behind it.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::function<void()> whileShown = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Stops watching and returns every box seen, in order.
    std::vector<SeenMessageBox> Stop();

    // Called by the hook on the showing thread.
    void Activated(HWND window);
    void Destroyed(HWND window) { open_.erase(window); }

private:
    void Watch();

    std::function<void()> whileShown_;
    std::set<HWND> open_;        // boxes announced and not yet destroyed (showing thread only)
    std::deque<HWND> arrived_;   // announced, not yet read
    HANDLE wake_;                // set when a box arrives or watching stops
    HHOOK hook_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::thread thread_;
};

// The lines of a message text whose lines are separated by `separator`.
std::vector<std::wstring> SplitLines(const std::wstring& text, wchar_t separator);

}  // namespace qn::test
