// What the bad-input tests share: damaged copies of fixtures and folders in the way of files.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "support/MessageBoxWatcher.h"

namespace qn::test {

void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes);

// Offset of the VS_VERSIONINFO block (its wLength field) in a fixture's bytes.
size_t VersionInfoOffset(const std::vector<BYTE>& bytes);

// A copy of fixture `name` at `path`, changed by `damage`.
void WriteDamagedCopy(const std::wstring& name, const std::wstring& path,
                      const std::function<void(std::vector<BYTE>&)>& damage);


// True when the window answers a message within two seconds.
bool Responds(HWND window);

}  // namespace qn::test
