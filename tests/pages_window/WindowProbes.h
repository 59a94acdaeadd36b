// Watching the window from inside a repair: its message boxes and its progress bar.
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
};

// A modal message box blocks the thread that shows it, so a second thread watches the window's
// thread for dialogs, keeps what each one says and confirms it with OK. `whileShown` runs on
// the watching thread while a box is up, to look at the window behind it.
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

// Subclasses a progress bar and runs `onStep` with the new position each time it is moved past
// zero, after the bar has taken it: the moment a repair has handled one more file and is
// about to let messages run.
class ProgressProbe {
public:
    ProgressProbe(HWND bar, std::function<void(int position)> onStep);
    ~ProgressProbe();
    ProgressProbe(const ProgressProbe&) = delete;
    ProgressProbe& operator=(const ProgressProbe&) = delete;

private:
    static LRESULT CALLBACK Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);

    HWND bar_;
    std::function<void(int)> onStep_;
};

struct ProgressState {
    int minimum = -1;
    int maximum = -1;
    int position = -1;
};
ProgressState ReadProgress(HWND bar);

}  // namespace qn::test
