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

}  // namespace qn
