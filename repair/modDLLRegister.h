// Registering one component DLL with the system through its self-registration export.
#pragma once

#include <windows.h>

#include <string>

namespace qn {

enum class RegistrationOutcome {
    Skipped,            // nothing to register: no file at the path, or not a full path
    Registered,         // the entry point returned 0 or a positive status (S_FALSE included)
    LoadFailed,         // the file could not be loaded; see loadError
    EntryPointMissing,  // the DLL loaded but does not export the entry point
    CallFailed,         // the entry point returned a negative status; see status
};

struct RegistrationResult {
    RegistrationOutcome outcome = RegistrationOutcome::Skipped;
    DWORD loadError = ERROR_SUCCESS;  // the system's error code when outcome is LoadFailed
    HRESULT status = S_OK;            // the entry point's result when it was called
};

// Loads the DLL at `path` (see LoadComponent), calls its export `entryName` (no arguments, an
// HRESULT result) and unloads it again. The DLL is loaded only for the duration of the call,
// whatever the outcome; nothing is kept between calls. Never raises.
RegistrationResult RegisterComponent(const std::wstring& path,
                                     const std::string& entryName = "DllRegisterServer");

}  // namespace qn
