// Putting text on the clipboard.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// Replaces the clipboard's contents with `text` as Unicode text, on behalf of `owner`. False
// when the clipboard could not be opened (another program holds it) or memory ran out.
bool PutTextOnClipboard(HWND owner, const std::wstring& text);

}  // namespace qn
