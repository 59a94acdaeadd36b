// Pointing this process's predefined registry roots somewhere else for a while.
#pragma once

#include <windows.h>

#include "platform/Handles.h"

namespace qn {

// While it lives, HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER of this process
// lead into subkeys of `into` named after them ("HKEY_CLASSES_ROOT", ...), so that whatever the
// process writes there lands below `into` and the live registry stays untouched. Handles opened
// before stay as they were.
class PredefinedKeyRedirect {
public:
    explicit PredefinedKeyRedirect(HKEY into);
    ~PredefinedKeyRedirect();
    PredefinedKeyRedirect(const PredefinedKeyRedirect&) = delete;
    PredefinedKeyRedirect& operator=(const PredefinedKeyRedirect&) = delete;

    // True when every root is redirected; when any could not be, none is.
    bool active() const { return active_; }

private:
    void Undo();

    UniqueHKey targets_[3];
    bool active_ = false;
};

}  // namespace qn
