// Loading DLLs from the system directory only, never from the program's or current folder.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// The system directory as the system reports it (no trailing backslash); empty on failure.
std::wstring SystemDirectory();

// The full path of this process's program file; empty on failure.
std::wstring ThisProgramPath();

// Loads `name` by its full path in the system directory; null on failure.
HMODULE LoadSystemLibrary(const wchar_t* name);

// Looks up `name` in an already loaded module and casts it to the function type `Fn`.
template <typename Fn>
Fn GetProc(HMODULE module, const char* name) {
    if (!module) return nullptr;
    // GetProcAddress returns a generic FARPROC; the caller names the real type.
    return reinterpret_cast<Fn>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
}

// Restricts the process's default DLL search to the system directory. Where the system lacks
// SetDefaultDllDirectories, at least the current directory is taken off the search path.
// Returns true when the LOAD_LIBRARY_SEARCH_* flags are available to LoadLibraryEx.
bool RestrictDllSearchToSystemDirectory();

// True when this system understands the LOAD_LIBRARY_SEARCH_* flags of LoadLibraryEx.
bool SystemSupportsDllSearchFlags();

}  // namespace qn
