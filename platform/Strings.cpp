#include "platform/Strings.h"

namespace qn {

LANGID UserTextLanguage() {
    const LANGID user = ::GetUserDefaultLangID();
    return PRIMARYLANGID(user) == LANG_GERMAN ? MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)
                                              : MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);
}

std::wstring LoadResString(UINT id) { return LoadResString(id, UserTextLanguage()); }

std::wstring LoadResString(UINT id, LANGID language) {
    // LoadStringW follows the thread's UI language, not the user's default language, so the
    // string block of the wanted language is found and walked by hand. A block holds 16
    // counted UTF-16 strings; block n holds ids 16*(n-1) to 16*n-1.
    const HMODULE module = ::GetModuleHandleW(nullptr);
    const HRSRC resource =
        ::FindResourceExW(module, RT_STRING, MAKEINTRESOURCEW(id / 16 + 1), language);
    if (!resource) return {};
    const HGLOBAL loaded = ::LoadResource(module, resource);
    const auto* block = static_cast<const WCHAR*>(loaded ? ::LockResource(loaded) : nullptr);
    if (!block) return {};
    const WCHAR* const end = block + ::SizeofResource(module, resource) / sizeof(WCHAR);
    for (UINT index = 0; index < id % 16; ++index) {
        if (block >= end) return {};
        block += 1 + *block;
    }
    if (block >= end || block + 1 + *block > end) return {};
    return std::wstring(block + 1, *block);
}

std::wstring InsertValue(std::wstring text, const std::wstring& value) {
    const size_t at = text.find(L"%1");
    if (at != std::wstring::npos) text.replace(at, 2, value);
    return text;
}

std::wstring UpperCase(std::wstring text) {
    ::CharUpperBuffW(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

}  // namespace qn
