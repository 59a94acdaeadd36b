// Numbers as the program shows them. The window system's own formatter is used: the C
// runtime's would bring a whole printf implementation into a static build.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

std::wstring UnsignedText(DWORD value);      // decimal
std::wstring SignedText(LONG value);         // decimal, with a minus sign when negative
std::wstring HexText(DWORD value);           // "0x" and eight upper-case hex digits

std::wstring DateText(const SYSTEMTIME& time);                        // "2026-12-07"
std::wstring TimeOfDayText(const SYSTEMTIME& time, wchar_t separator);  // "11:05:02" with ':'

}  // namespace qn
