// Reads a modal message box of a window and closes it with OK. The box blocks the thread that
// shows it, so a thread of its own waits for it.
#pragma once

#include <windows.h>

#include <string>
#include <thread>
#include <vector>

namespace qn::test {

struct CapturedMessageBox {
    bool shown = false;
    std::wstring title;
    std::wstring text;
    std::vector<int> buttons;  // control ids of the visible buttons
    bool hasIcon = false;      // some static of the box shows an icon
};

class MessageBoxCapture {
public:
    // Starts waiting for a box owned by `owner`; call before the action that shows it.
    explicit MessageBoxCapture(HWND owner);
    ~MessageBoxCapture();
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    // Waits for the box to have been read and closed.
    const CapturedMessageBox& Result();

private:
    void Watch();

    HWND owner_;
    CapturedMessageBox box_;
    std::thread watcher_;
};

// The lines of a message text whose lines are separated by `separator`.
std::vector<std::wstring> SplitLines(const std::wstring& text, wchar_t separator);

}  // namespace qn::test
