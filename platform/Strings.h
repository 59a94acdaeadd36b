// Texts of the program's string table in the user's language.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// `text` in UTF-8.
std::string Utf8(const std::wstring& text);

// German (1031) when the user's default language is any German, English (1033) otherwise.
LANGID UserTextLanguage();

// The text of string id `id` in the user's language, looked up anew on every call.
std::wstring LoadResString(UINT id);

// The text of string id `id` in `language`; empty when the table has no such text.
std::wstring LoadResString(UINT id, LANGID language);

}  // namespace qn
