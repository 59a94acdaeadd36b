// Reading and confirming the message boxes that the window shows. A modal box blocks the
// thread that shows it, so a hook on that thread reads and confirms each box as it is
// activated, once per box (window handles are reused, so boxes are told apart by their life).
// No second thread takes part: with one reading the boxes, the emulated 32-bit Wine ended test
// programs with an X error (BadWindow) at a later window.
#pragma once

#include <windows.h>

#include <functional>
#include <set>
#include <string>
#include <vector>

namespace qn::test {

struct SeenMessageBox {
    std::wstring title;
    std::wstring text;
    std::vector<int> buttons;  // control ids of the visible buttons
    bool hasIcon = false;      // some static of the box shows an icon
};

// Watches the calling thread from its construction on: keeps what each box says and confirms
// it with OK. `whileShown` runs while a box is up, to look at the window behind it.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(std::function<void()> whileShown = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    // Stops watching and returns every box seen, in order.
    std::vector<SeenMessageBox> Stop();

    // Called by the hook.
    void Activated(HWND window);
    void Destroyed(HWND window) { open_.erase(window); }

private:
    std::function<void()> whileShown_;
    std::set<HWND> open_;  // boxes seen and not yet destroyed
    std::vector<SeenMessageBox> seen_;
    HHOOK hook_;
};

// The lines of a message text whose lines are separated by `separator`.
std::vector<std::wstring> SplitLines(const std::wstring& text, wchar_t separator);

}  // namespace qn::test
