// Texts of the program's string table in the user's language.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// German (1031) when the user's default language is any German, English (1033) otherwise.
LANGID UserTextLanguage();

// The text of string id `id` in the user's language, looked up anew on every call.
std::wstring LoadResString(UINT id);

// The text of string id `id` in `language`; empty when the table has no such text.
std::wstring LoadResString(UINT id, LANGID language);

// `text` with its first "%1" replaced by `value`; texts of the string table and of the system
// mark their insert that way.
std::wstring InsertValue(std::wstring text, const std::wstring& value);

// `text` in upper case, by the system's rules: the form in which paths and registry names,
// whose letter case does not count, are compared.
std::wstring UpperCase(std::wstring text);

}  // namespace qn
