#include "repair/ComponentLoader.h"

#include "platform/ScopedErrorMode.h"
#include "platform/SystemLibrary.h"

namespace qn {

namespace {

bool IsSeparator(wchar_t c) { return c == L'\\' || c == L'/'; }

bool IsDriveLetter(wchar_t c) { return (c >= L'A' && c <= L'Z') || (c >= L'a' && c <= L'z'); }

// LOAD_LIBRARY_SEARCH_DEFAULT_DIRS would add the program's own folder, where anything the
// user downloaded may lie; a component's dependencies belong beside it or in the system
// directory. Without these flags (XP, Vista, 7 without KB2533623) the altered search order
// starts in the component's folder and leaves out the program's folder (the system folders and
// PATH follow); the current folder was taken off the search path at start-up.
DWORD ComponentLoadFlags() {
    return SystemSupportsDllSearchFlags() ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32
                                          : LOAD_WITH_ALTERED_SEARCH_PATH;
}

}  // namespace

bool IsFullPath(const std::wstring& path) {
    if (path.size() >= 3 && IsDriveLetter(path[0]) && path[1] == L':' && IsSeparator(path[2])) return true;
    // \\server\share: a server name must follow, which "." and "?" (device paths) are not.
    return path.size() >= 5 && IsSeparator(path[0]) && IsSeparator(path[1]) && !IsSeparator(path[2]) &&
           !(path[2] == L'.' || path[2] == L'?');
}

LoadedComponent LoadComponent(const std::wstring& givenPath) {
    LoadedComponent result;
    if (!IsFullPath(givenPath)) return result;
    // The loader takes only backslashes in a path (a shell folder may hold forward slashes).
    std::wstring path = givenPath;
    for (wchar_t& c : path) {
        if (c == L'/') c = L'\\';
    }

    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) {
        const DWORD error = ::GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return result;
        result.outcome = ComponentLoadOutcome::Failed;
        result.error = error;
        return result;
    }
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) return result;

    // A damaged file or a missing dependency would otherwise stop the repair with a system
    // dialog; the failure is reported by the program instead.
    const ScopedErrorMode quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    result.module.reset(::LoadLibraryExW(path.c_str(), nullptr, ComponentLoadFlags()));
    if (result.module) {
        result.outcome = ComponentLoadOutcome::Loaded;
    } else {
        result.outcome = ComponentLoadOutcome::Failed;
        result.error = ::GetLastError();
    }
    return result;
}

}  // namespace qn
