// The system's own explanation of an error code, for texts the user reads.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

// The system's message text for `code` (a Win32 error or an HRESULT) in the language the
// system picks, without trailing line breaks; empty when the system has no text for it.
// Placeholders such as "%1" are left in the text as they are.
std::wstring SystemMessage(DWORD code);

// As above, preferring `language`; falls back to the system's choice when the system has no
// text in that language.
std::wstring SystemMessage(DWORD code, LANGID language);

}  // namespace qn
