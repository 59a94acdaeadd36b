// Watching the window from inside a repair: its progress bar.
#pragma once

#include <windows.h>

#include <functional>

namespace qn::test {

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
