// Copying a rectangle of the screen into a 24-bit BMP file.
#pragma once

#include <windows.h>

#include <string>

namespace qn::shot {

// Saves what the screen shows inside `area` (screen coordinates) as an uncompressed 24-bit
// BMP at `path`. False when the copy or the file failed.
bool SaveScreenRect(const RECT& area, const std::wstring& path);

}  // namespace qn::shot
