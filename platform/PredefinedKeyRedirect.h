// Pointing this process's predefined registry roots somewhere else for a while.
#pragma once

#include <windows.h>

#include <iterator>

#include "platform/Handles.h"

namespace qn {

// The roots that are redirected. HKEY_CURRENT_USER too: components that register per user would
// otherwise write the live user's key, and the scratch key itself lives there.
inline const HKEY kRedirectedRoots[] = {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

// While it lives, HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE and HKEY_CURRENT_USER of this process
// lead into subkeys of a key named after them ("HKEY_CLASSES_ROOT", ...), so that whatever the
// process writes there lands below that key and the live registry stays untouched. Handles
// opened before stay as they were.
class PredefinedKeyRedirect {
public:
    PredefinedKeyRedirect() = default;
    ~PredefinedKeyRedirect();
    PredefinedKeyRedirect(const PredefinedKeyRedirect&) = delete;
    PredefinedKeyRedirect& operator=(const PredefinedKeyRedirect&) = delete;

    // Leads the roots below `into` instead. Once redirected, the roots move from one key to the
    // next without ever leading to the live registry in between. False when they could not all
    // be moved: then, if they were not redirected before, none is; if they were, each still
    // leads below one of the keys given.
    bool MoveTo(HKEY into);

private:
    UniqueHKey targets_[std::size(kRedirectedRoots)];
    bool active_ = false;
};

}  // namespace qn
