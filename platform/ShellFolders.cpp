#include "platform/ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

namespace qn {

std::wstring GetSpecialFolderPath(int folderId) {
    WCHAR buffer[MAX_PATH + 1] = {};
    if (::SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
    buffer[MAX_PATH] = L'\0';
    return std::wstring(buffer);  // up to the first NUL
}

}  // namespace qn
