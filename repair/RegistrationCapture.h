// What a component would register, learnt without changing the registry: its DllRegisterServer
// runs in a child process whose registry roots lead into a scratch key of the current user.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "platform/RegistryTree.h"
#include "repair/modDLLRegister.h"

namespace qn {

// The command-line switch that makes the program a capture host instead of a window:
//   QNRepair.exe /capture-registration <scratch key below HKEY_CURRENT_USER>
// The parent writes the components' paths into the host's standard input once it knows them.
inline constexpr wchar_t kCaptureHostSwitch[] = L"/capture-registration";

// How long a component may take to register before its capture host is ended.
inline constexpr DWORD kCaptureTimeoutMs = 60000;

// What the capture host does: reads the list of components from its standard input (and ends
// if the parent closes it before the list is whole), then, component after component, loads it
// as a repair does and calls its DllRegisterServer with the registry roots redirected below a
// subkey of HKEY_CURRENT_USER\`scratchKey` of its own, and leaves the outcome there beside what
// the component wrote. From the first component on, the roots never lead to the live registry
// again. Returns the exit code.
int RunCaptureHost(const std::wstring& scratchKey);

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

// Called after each capture with the index of its component in the list; false stops.
using CaptureProgress = std::function<bool(size_t index, const RegistrationCapture& capture)>;

// A capture host, started as soon as it is made: the start of a process is the longest part of
// a short capture, so a caller makes this before it looks up the files it will capture. Ended
// when dropped, if it still runs. One at a time in a process: its scratch key is named after the
// process.
class CaptureHost {
public:
    // `hostProgram` is this program.
    explicit CaptureHost(std::wstring hostProgram);
    ~CaptureHost();
    CaptureHost(const CaptureHost&) = delete;
    CaptureHost& operator=(const CaptureHost&) = delete;

    // Captures the components at `componentPaths`, all in the host started ahead as long as
    // none crashes or hangs, reads back what each wrote as soon as it is done and deletes the
    // scratch key, whatever the host did. Each component may take `timeoutMs` from the moment
    // the one before it was done (and `each` returned), the first from the moment the list is
    // given. One that crashes or times out ends its host and gets that end; a new host goes on
    // with the components after it. The captures come in the order of `componentPaths`; when
    // `each` stops the run, the host is ended at once and only the captures done so far are
    // returned.
    std::vector<RegistrationCapture> Capture(const std::vector<std::wstring>& componentPaths,
                                             const CaptureProgress& each = {}, DWORD timeoutMs = kCaptureTimeoutMs);

private:
    class Started;
    std::wstring program_;
    std::unique_ptr<Started> started_;
};

}  // namespace qn
