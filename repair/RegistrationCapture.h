// What a component would register, learnt without changing the registry: its DllRegisterServer
// runs in a child process whose registry roots lead into a scratch key of the current user.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/RegistryTree.h"
#include "repair/modDLLRegister.h"

namespace qn {

// The command-line switch that makes the program a capture host instead of a window:
//   QNRepair.exe /capture-registration <scratch key below HKEY_CURRENT_USER> <component path>
inline constexpr wchar_t kCaptureHostSwitch[] = L"/capture-registration";

// How long a component may take to register before its capture host is ended.
inline constexpr DWORD kCaptureTimeoutMs = 60000;

// What the capture host does: loads the component as a repair does, calls its
// DllRegisterServer with the registry roots redirected below HKEY_CURRENT_USER\`scratchKey`,
// and leaves the outcome there beside what the component wrote. Returns the exit code.
int RunCaptureHost(const std::wstring& scratchKey, const std::wstring& componentPath);

// What one root of the registry would receive: keys and values relative to the root.
struct CapturedRoot {
    HKEY root;
    RegTree tree;
};

struct RegistrationCapture {
    enum class End {
        Finished,    // the entry point ran (or could not); see `result`
        Crashed,     // the host ended without an outcome; see `exitCode`
        TimedOut,    // the host was ended after the time allowed
        NotStarted,  // the host or its scratch key could not be set up
    };
    End end = End::NotStarted;
    DWORD exitCode = 0;
    DWORD timeoutMs = 0;  // the time the host was given
    RegistrationResult result;
    std::vector<CapturedRoot> roots;  // filled when the entry point was called
};

// Runs `hostProgram` (this program) as capture host for the component at `componentPath`,
// waits at most `timeoutMs`, reads back what was written and deletes the scratch key, whatever
// the host did.
RegistrationCapture CaptureRegistration(const std::wstring& hostProgram, const std::wstring& componentPath,
                                        DWORD timeoutMs = kCaptureTimeoutMs);

}  // namespace qn
