// Reading and confirming the message boxes that the window shows. A modal box blocks the
// thread that shows it, so a second thread watches that thread for dialogs.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
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

private:
    void Watch();

    const DWORD uiThread_;
    std::function<void()> whileShown_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<SeenMessageBox> seen_;
    std::thread thread_;
};

// The lines of a message text whose lines are separated by `separator`.
std::vector<std::wstring> SplitLines(const std::wstring& text, wchar_t separator);

}  // namespace qn::test
