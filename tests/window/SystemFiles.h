// Where the window looks for the components it shows.
#pragma once

#include <windows.h>

#include <string>

#include "platform/SystemLibrary.h"
namespace qn::test {

// `name` in the system directory of the machine under test.
inline std::wstring SystemFile(const wchar_t* name) { return qn::SystemDirectory() + L"\\" + name; }

}  // namespace qn::test
