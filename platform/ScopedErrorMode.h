// Keeps the system from showing its own error dialogs while the program loads a file.
#pragma once

#include <windows.h>

namespace qn {

// Adds `mode` (SEM_* flags) to the error mode for its lifetime and restores the previous mode
// afterwards. Uses the calling thread's error mode where the system has one (Windows 7 and
// later); older systems only know the process's mode.
class ScopedErrorMode {
public:
    explicit ScopedErrorMode(UINT mode);
    ~ScopedErrorMode();
    ScopedErrorMode(const ScopedErrorMode&) = delete;
    ScopedErrorMode& operator=(const ScopedErrorMode&) = delete;

private:
    using SetThreadErrorModeFn = BOOL(WINAPI*)(DWORD, DWORD*);

    SetThreadErrorModeFn setThreadMode_ = nullptr;
    bool changed_ = false;
    UINT previous_ = 0;
};

}  // namespace qn
