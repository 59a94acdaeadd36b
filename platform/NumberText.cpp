#include "platform/NumberText.h"

namespace qn {

std::wstring UnsignedText(DWORD value) {
    WCHAR text[16];
    ::wsprintfW(text, L"%lu", value);
    return text;
}

std::wstring SignedText(LONG value) {
    WCHAR text[16];
    ::wsprintfW(text, L"%ld", value);
    return text;
}

std::wstring HexText(DWORD value) {
    WCHAR text[16];
    ::wsprintfW(text, L"0x%08lX", value);
    return text;
}

std::wstring DateText(const SYSTEMTIME& time) {
    WCHAR text[16];
    ::wsprintfW(text, L"%04u-%02u-%02u", time.wYear, time.wMonth, time.wDay);
    return text;
}

std::wstring TimeOfDayText(const SYSTEMTIME& time, wchar_t separator) {
    WCHAR text[16];
    ::wsprintfW(text, L"%02u%c%02u%c%02u", time.wHour, separator, time.wMinute, separator, time.wSecond);
    return text;
}

}  // namespace qn
