#include "platform/ScopedErrorMode.h"

#include "platform/SystemLibrary.h"

namespace qn {

ScopedErrorMode::ScopedErrorMode(UINT mode)
    : setThreadMode_(GetProc<SetThreadErrorModeFn>(::GetModuleHandleW(L"kernel32.dll"),
                                                   "SetThreadErrorMode")) {
    if (setThreadMode_) {
        // The previous mode is only known after setting a new one; the second call keeps its
        // flags alongside ours.
        DWORD previous = 0;
        if (!setThreadMode_(mode, &previous)) return;
        setThreadMode_(previous | mode, nullptr);
        previous_ = previous;
    } else {
        previous_ = ::SetErrorMode(mode);
        ::SetErrorMode(previous_ | mode);
    }
    changed_ = true;
}

ScopedErrorMode::~ScopedErrorMode() {
    if (!changed_) return;
    if (setThreadMode_) {
        setThreadMode_(previous_, nullptr);
    } else {
        ::SetErrorMode(previous_);
    }
}

}  // namespace qn
