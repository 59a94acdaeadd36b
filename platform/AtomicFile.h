// Writing a whole file so that a reader never sees half of it.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// Writes `bytes` to a temporary file beside `path` and renames it to `path` once it is
// complete, replacing what was there. Returns ERROR_SUCCESS, or the system's error code; on
// failure the temporary file is gone and `path` is as it was.
DWORD WriteFileAtomically(const std::wstring& path, const std::string& bytes);

}  // namespace qn
