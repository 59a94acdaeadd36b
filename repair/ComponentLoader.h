// Loading a component DLL so that its own code can run, from where it lies and nowhere else.
#pragma once

#include <windows.h>

#include <string>

#include "platform/Handles.h"

namespace qn {

// True for a path that names its drive or server: "C:\..." or "\\server\share\...". A path the
// loader would complete from the current drive or folder ("\System\ado\x.dll", "C:x.dll",
// "x.dll") is not, nor is a device path ("\\.\..." or "\\?\...").
bool IsFullPath(const std::wstring& path);

enum class ComponentLoadOutcome {
    Absent,  // nothing to load: not a full path, no file there, or a folder
    Loaded,
    Failed,  // a file is there (or its name is unusable) but the system could not load it
};

struct LoadedComponent {
    ComponentLoadOutcome outcome = ComponentLoadOutcome::Absent;
    UniqueModule module;             // when Loaded; unloaded with this record
    DWORD error = ERROR_SUCCESS;     // the system's reason when Failed
};

// Loads the component at `path` as given (its long path, never its 8.3 form). The component's
// own dependencies are looked up in its own folder, then in the system directory; never beside
// this program or in the current folder (nor along PATH, where the system has the
// LOAD_LIBRARY_SEARCH_* flags). The system shows no dialog of its own for a damaged file or a
// missing dependency.
LoadedComponent LoadComponent(const std::wstring& path);

}  // namespace qn
