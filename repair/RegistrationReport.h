// The one message a repair shows after its last file when some files could not be registered.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "repair/modDLLRegister.h"

namespace qn {

struct RegistrationFailure {
    std::wstring file;  // as the user should read it: the file's path or name
    RegistrationResult result;
};

// True when the file should have been registered and was not (neither registered nor skipped).
bool IsFailure(const RegistrationResult& result);

// What went wrong, in `language`, with the system's own explanation of the error code; empty
// for a result that is no failure. `file` is the name that load errors insert.
std::wstring DescribeFailure(const std::wstring& file, const RegistrationResult& result, LANGID language);

// True when the result is what a component reports without the rights to write its
// registration (access denied to the registry or the type library entries, privilege not
// held, elevation required), or the file could not even be opened for lack of rights.
bool MeansMissingRights(const RegistrationResult& result);

// An introduction line, then per failed file its name and what went wrong, in the user's
// language, with the system's own explanation of the error code; when any failure means
// missing rights, a last line asks the user to start the program as an administrator.
// Entries that did not fail (registered, skipped) are left out; with none left the text is
// empty. When the repair saved a backup of the registry entries first, `backup` names its file,
// in two lines before the hint about rights. Lines are separated by CR LF.
std::wstring FormatRegistrationFailures(const std::vector<RegistrationFailure>& failures,
                                        const std::optional<std::wstring>& backup = std::nullopt);

}  // namespace qn
