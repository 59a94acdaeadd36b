#include "repair/RegistrationCapture.h"

#include <optional>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/PredefinedKeyRedirect.h"

namespace qn {

namespace {

// Values the host leaves in a component's subkey of the scratch key; what the component writes
// goes into the subkeys of that one named after the roots.
constexpr wchar_t kOutcomeValue[] = L"Outcome";
constexpr wchar_t kLoadErrorValue[] = L"LoadError";
constexpr wchar_t kStatusValue[] = L"Status";
// In the scratch key itself: how many components the host is done with. The parent watches it.
constexpr wchar_t kDoneValue[] = L"Done";

constexpr int kHostFailed = 1;
// Exit code of a host whose roots could not be redirected: it must not call the component.
constexpr int kHostNotRedirected = 2;

// CreateProcess takes at most 32767 characters, the terminating NUL included.
constexpr size_t kMaxCommandLine = 32766;

// A component that faults ends the host at once, with the fault as exit code: no debugger, no
// error dialog, and none of the component's code runs again.
LONG WINAPI EndOnFault(EXCEPTION_POINTERS* fault) {
    ::TerminateProcess(::GetCurrentProcess(), fault->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

void WriteDword(HKEY key, const wchar_t* name, DWORD value) {
    ::RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
}

std::optional<DWORD> ReadDword(HKEY key, const wchar_t* name) {
    const std::optional<RawRegValue> raw = QueryRawValue(key, name);
    if (!raw || raw->type != REG_DWORD || raw->bytes.size() != sizeof(DWORD)) return std::nullopt;
    return *reinterpret_cast<const DWORD*>(raw->bytes.data());
}

// The subkey of the scratch key for the host's component number `index`.
std::wstring SlotName(size_t index) { return UnsignedText(static_cast<DWORD>(index)); }

// The scratch key below HKEY_CURRENT_USER\Software, fresh when made and deleted with everything
// in it when dropped.
class ScratchKey {
public:
    ScratchKey() : path_(L"Software\\QNRepair capture " + UnsignedText(::GetCurrentProcessId())) {
        DeleteRegTree(HKEY_CURRENT_USER, path_);
        if (::RegCreateKeyExW(HKEY_CURRENT_USER, path_.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                              key_.put(), nullptr) != ERROR_SUCCESS) {
            key_.reset();
        }
    }
    ~ScratchKey() {
        key_.reset();
        DeleteRegTree(HKEY_CURRENT_USER, path_);
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    HKEY get() const { return key_.get(); }
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    UniqueHKey key_;
};

// A host process that is ended, if it still runs, when the capture leaves it.
class HostProcess {
public:
    explicit HostProcess(HANDLE process) : process_(process) {}
    ~HostProcess() { End(ERROR_CANCELLED); }
    HostProcess(const HostProcess&) = delete;
    HostProcess& operator=(const HostProcess&) = delete;

    HANDLE get() const { return process_.get(); }
    void End(DWORD exitCode) {
        if (!process_) return;
        ::TerminateProcess(process_.get(), exitCode);
        ::WaitForSingleObject(process_.get(), INFINITE);
    }

private:
    UniqueKernelHandle process_;
};

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

// The end of the components from `first` on whose paths fit on the command line after
// `commandLine`, at least one.
size_t EndOfPathsThatFit(const std::wstring& commandLine, const std::vector<std::wstring>& paths, size_t first) {
    size_t length = commandLine.size();
    size_t end = first;
    while (end < paths.size()) {
        length += 1 + Quoted(paths[end]).size();
        if (end > first && length > kMaxCommandLine) break;
        ++end;
    }
    return end;
}

HANDLE StartHost(const std::wstring& hostProgram, std::wstring commandLine) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(hostProgram.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    return process.hProcess;
}

// What the host left in the subkey of its component number `slot`.
RegistrationCapture ReadCapture(HKEY scratch, size_t slot) {
    RegistrationCapture capture;
    UniqueHKey key;
    ::RegOpenKeyExW(scratch, SlotName(slot).c_str(), 0, KEY_READ, key.put());
    const std::optional<DWORD> outcome = key ? ReadDword(key.get(), kOutcomeValue) : std::nullopt;
    if (!outcome) {
        capture.end = RegistrationCapture::End::Crashed;
        return capture;
    }
    capture.end = RegistrationCapture::End::Finished;
    capture.result.outcome = static_cast<RegistrationOutcome>(*outcome);
    capture.result.loadError = ReadDword(key.get(), kLoadErrorValue).value_or(ERROR_SUCCESS);
    capture.result.status = static_cast<HRESULT>(ReadDword(key.get(), kStatusValue).value_or(S_OK));
    if (capture.result.outcome == RegistrationOutcome::LoadFailed ||
        capture.result.outcome == RegistrationOutcome::EntryPointMissing) {
        return capture;
    }
    for (const HKEY root : kRedirectedRoots) {
        RegTree tree = ReadRegTree(key.get(), RootKeyName(root));
        // The root itself is no entry of the component's.
        if (!tree.keys.empty()) tree.keys.erase(tree.keys.begin());
        capture.roots.push_back({root, std::move(tree)});
    }
    return capture;
}

// Captures components from the first one not captured yet on, in one host, until the host is
// done with those it was given, crashes or hangs. False when `each` stopped the run.
bool CaptureInOneHost(const std::wstring& hostProgram, const std::vector<std::wstring>& paths,
                      std::vector<RegistrationCapture>& captures, const CaptureProgress& each, DWORD timeoutMs) {
    const size_t first = captures.size();
    const auto report = [&](RegistrationCapture capture) {
        capture.timeoutMs = timeoutMs;
        captures.push_back(std::move(capture));
        return !each || each(captures.size() - 1, captures.back());
    };
    const ScratchKey scratch;
    const UniqueKernelHandle changed(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!scratch.get() || !changed) return report({});

    std::wstring commandLine = Quoted(hostProgram) + L" " + kCaptureHostSwitch + L" " + Quoted(scratch.path());
    const size_t end = EndOfPathsThatFit(commandLine, paths, first);
    for (size_t i = first; i < end; ++i) commandLine += L" " + Quoted(paths[i]);
    HostProcess host(StartHost(hostProgram, std::move(commandLine)));
    if (!host.get()) return report({});

    const auto doneUpTo = [&] { return first + ReadDword(scratch.get(), kDoneValue).value_or(0); };
    size_t next = first;
    DWORD since = ::GetTickCount();
    for (;;) {
        // Armed before the count is read: a component done in between still wakes the wait.
        ::RegNotifyChangeKeyValue(scratch.get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed.get(), TRUE);
        const size_t done = doneUpTo();
        if (done > next) {
            for (; next < done && next < end; ++next) {
                if (!report(ReadCapture(scratch.get(), next - first))) return false;
            }
            since = ::GetTickCount();
            continue;
        }
        if (next >= end) return true;
        const DWORD elapsed = ::GetTickCount() - since;
        const HANDLE waits[] = {host.get(), changed.get()};
        const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, elapsed < timeoutMs ? timeoutMs - elapsed : 0);
        if (woke == WAIT_OBJECT_0 + 1) continue;
        // The host ended or the time is up; it may have finished a component just before.
        if (doneUpTo() > next) continue;
        RegistrationCapture capture;
        if (woke == WAIT_OBJECT_0) {
            capture.end = RegistrationCapture::End::Crashed;
            ::GetExitCodeProcess(host.get(), &capture.exitCode);
        } else {
            host.End(ERROR_TIMEOUT);
            capture.end = RegistrationCapture::End::TimedOut;
        }
        return report(std::move(capture));
    }
}

}  // namespace

int RunCaptureHost(const std::wstring& scratchKey, const std::vector<std::wstring>& componentPaths) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnFault);
    UniqueHKey scratch;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, scratchKey.c_str(), 0, KEY_ALL_ACCESS, scratch.put()) != ERROR_SUCCESS) {
        return kHostFailed;
    }
    // Redirected before the component is loaded, so that even its DllMain never sees the live
    // registry; and never back, as code of a component before may still run.
    PredefinedKeyRedirect redirect;
    for (size_t i = 0; i < componentPaths.size(); ++i) {
        UniqueHKey slot;
        if (::RegCreateKeyExW(scratch.get(), SlotName(i).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, slot.put(),
                              nullptr) != ERROR_SUCCESS ||
            !redirect.MoveTo(slot.get())) {
            return kHostNotRedirected;
        }
        const RegistrationResult result = RegisterComponent(componentPaths[i]);
        WriteDword(slot.get(), kOutcomeValue, static_cast<DWORD>(result.outcome));
        WriteDword(slot.get(), kLoadErrorValue, result.loadError);
        WriteDword(slot.get(), kStatusValue, static_cast<DWORD>(result.status));
        // Last: once the parent sees the count, the component's outcome is complete.
        WriteDword(scratch.get(), kDoneValue, static_cast<DWORD>(i + 1));
    }
    return 0;
}

std::vector<RegistrationCapture> CaptureRegistrations(const std::wstring& hostProgram,
                                                      const std::vector<std::wstring>& componentPaths,
                                                      const CaptureProgress& each, DWORD timeoutMs) {
    std::vector<RegistrationCapture> captures;
    captures.reserve(componentPaths.size());
    while (captures.size() < componentPaths.size() && CaptureInOneHost(hostProgram, componentPaths, captures, each, timeoutMs)) {
    }
    return captures;
}

RegistrationCapture CaptureRegistration(const std::wstring& hostProgram, const std::wstring& componentPath,
                                        DWORD timeoutMs) {
    return CaptureRegistrations(hostProgram, {componentPath}, {}, timeoutMs).front();
}

}  // namespace qn
