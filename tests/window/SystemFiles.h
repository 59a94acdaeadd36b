// Where the window looks for the components it shows.
#pragma once

#include <windows.h>

#include <string>

namespace qn::test {

// `name` in the system directory of the machine under test.
inline std::wstring SystemFile(const wchar_t* name) {
    WCHAR dir[MAX_PATH] = {};
    ::GetSystemDirectoryW(dir, MAX_PATH);
    return std::wstring(dir) + L"\\" + name;
}

}  // namespace qn::test
