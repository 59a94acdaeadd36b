#include "WindowProbes.h"

#include <commctrl.h>


namespace qn::test {

ProgressProbe::ProgressProbe(HWND bar, std::function<void(int)> onStep) : bar_(bar), onStep_(std::move(onStep)) {
    ::SetWindowSubclass(bar_, Proc, 1, reinterpret_cast<DWORD_PTR>(this));
}

ProgressProbe::~ProgressProbe() {
    if (::IsWindow(bar_)) ::RemoveWindowSubclass(bar_, Proc, 1);
}

LRESULT CALLBACK ProgressProbe::Proc(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                     DWORD_PTR self) {
    const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
    if (message == PBM_SETPOS && wParam > 0) {
        auto* probe = reinterpret_cast<ProgressProbe*>(self);
        if (probe->onStep_) probe->onStep_(static_cast<int>(wParam));
    }
    return result;
}

ProgressState ReadProgress(HWND bar) {
    PBRANGE range{};
    ::SendMessageW(bar, PBM_GETRANGE, FALSE, reinterpret_cast<LPARAM>(&range));
    return {range.iLow, range.iHigh, static_cast<int>(::SendMessageW(bar, PBM_GETPOS, 0, 0))};
}

}  // namespace qn::test
