#include "platform/SystemLibrary.h"

namespace qn {

std::wstring SystemDirectory() {
    WCHAR buffer[MAX_PATH + 1] = {};
    const UINT length = ::GetSystemDirectoryW(buffer, MAX_PATH);
    if (length == 0 || length > MAX_PATH) return {};
    return std::wstring(buffer);
}

HMODULE LoadSystemLibrary(const wchar_t* name) {
    const std::wstring directory = SystemDirectory();
    if (directory.empty()) return nullptr;
    const std::wstring path = directory + L"\\" + name;
    return ::LoadLibraryExW(path.c_str(), nullptr, 0);
}

namespace {
using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);

SetDefaultDllDirectoriesFn FindSetDefaultDllDirectories() {
    // kernel32 is always loaded; the function exists from Windows 8 (and Windows 7 with KB2533623).
    return GetProc<SetDefaultDllDirectoriesFn>(::GetModuleHandleW(L"kernel32.dll"),
                                               "SetDefaultDllDirectories");
}
}  // namespace

bool SystemSupportsDllSearchFlags() { return FindSetDefaultDllDirectories() != nullptr; }

bool RestrictDllSearchToSystemDirectory() {
    if (const auto setDefault = FindSetDefaultDllDirectories()) {
        if (setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return true;
    }
    // An empty string removes the current directory from the search order.
    ::SetDllDirectoryW(L"");
    return false;
}

std::wstring ThisProgramPath() {
    WCHAR program[MAX_PATH * 2] = {};
    const DWORD length = ::GetModuleFileNameW(nullptr, program, MAX_PATH * 2);
    if (length == 0 || length >= MAX_PATH * 2) return {};
    return std::wstring(program, length);
}

}  // namespace qn
