// Text as UTF-8 bytes, for files and streams that other programs read.
#pragma once

#include <string>

namespace qn {

// Starts a UTF-8 text file, so that editors which would otherwise assume the ANSI code page
// (Notepad of older Windows) read it right.
inline constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";

// `text` in UTF-8. A lone surrogate, which no UTF-8 reader accepts, becomes U+FFFD.
std::string ToUtf8(const std::wstring& text);

}  // namespace qn
