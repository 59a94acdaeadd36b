// The shell's special folders.
#pragma once

#include <string>

namespace qn {

// The path of the shell's special folder `folderId` (CSIDL), exactly as the shell gives it
// (no backslash added); the empty text when the shell cannot give it.
std::wstring GetSpecialFolderPath(int folderId);

}  // namespace qn
