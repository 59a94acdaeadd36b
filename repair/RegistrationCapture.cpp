#include "repair/RegistrationCapture.h"

#include <algorithm>
#include <memory>
#include <optional>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/PredefinedKeyRedirect.h"

namespace qn {

namespace {

// In the scratch key: the components the host is to capture, as the parent gives them.
constexpr wchar_t kComponentsValue[] = L"Components";
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
// Exit code of a host whose parent ended, or took its scratch key away, before giving it a list.
constexpr int kHostNotNeeded = 3;

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

bool WritePaths(HKEY key, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    return ::RegSetValueExW(key, kComponentsValue, 0, REG_MULTI_SZ, reinterpret_cast<const BYTE*>(list.data()),
                            static_cast<DWORD>(list.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<std::vector<std::wstring>> ReadPaths(HKEY key) {
    const std::optional<RawRegValue> raw = QueryRawValue(key, kComponentsValue);
    if (!raw || raw->type != REG_MULTI_SZ) return std::nullopt;
    std::wstring list(reinterpret_cast<const wchar_t*>(raw->bytes.data()), raw->bytes.size() / sizeof(wchar_t));
    // Each path ends with a NUL, and the list with one more.
    if (!list.empty()) list.pop_back();
    std::vector<std::wstring> paths;
    for (size_t at = 0; at < list.size();) {
        const size_t end = std::min(list.find(L'\0', at), list.size());
        paths.push_back(list.substr(at, end - at));
        at = end + 1;
    }
    return paths;
}

// The subkey of the scratch key for the host's component number `index`.
std::wstring SlotName(size_t index) { return UnsignedText(static_cast<DWORD>(index)); }

// A scratch key below HKEY_CURRENT_USER\Software, fresh when made and deleted with everything
// in it when dropped.
class ScratchKey {
public:
    explicit ScratchKey(const std::wstring& path) : path_(path) {
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

HANDLE StartHost(const std::wstring& hostProgram, const std::wstring& scratchKey) {
    std::wstring commandLine = Quoted(hostProgram) + L" " + kCaptureHostSwitch + L" " + Quoted(scratchKey) + L" " +
                               UnsignedText(::GetCurrentProcessId());
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

// Waits in the host until the parent has written the list of components; nothing when the
// parent ended or took the scratch key away first.
std::optional<std::vector<std::wstring>> AwaitPaths(HKEY scratch, DWORD parentId) {
    const UniqueKernelHandle parent(::OpenProcess(SYNCHRONIZE, FALSE, parentId));
    const UniqueKernelHandle changed(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
    if (!parent || !changed) return std::nullopt;
    for (;;) {
        // Armed before the value is read: a list written in between still wakes the wait.
        if (::RegNotifyChangeKeyValue(scratch, FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed.get(), TRUE) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        if (std::optional<std::vector<std::wstring>> paths = ReadPaths(scratch)) return paths;
        const HANDLE waits[] = {parent.get(), changed.get()};
        if (::WaitForMultipleObjects(2, waits, FALSE, INFINITE) != WAIT_OBJECT_0 + 1) return std::nullopt;
    }
}

}  // namespace

// A host process with its scratch key: started at once, given its list later.
class CaptureHost::Started {
public:
    explicit Started(const std::wstring& hostProgram)
        : scratch_(L"Software\\QNRepair capture " + UnsignedText(::GetCurrentProcessId())),
          host_(scratch_.get() ? StartHost(hostProgram, scratch_.path()) : nullptr) {}

    // Captures components from the first one not captured yet on, until the host is done with
    // them, crashes or hangs. False when `each` stopped the run.
    bool Capture(const std::vector<std::wstring>& paths, std::vector<RegistrationCapture>& captures,
                 const CaptureProgress& each, DWORD timeoutMs) {
        const size_t first = captures.size();
        const auto report = [&](RegistrationCapture capture) {
            capture.timeoutMs = timeoutMs;
            captures.push_back(std::move(capture));
            return !each || each(captures.size() - 1, captures.back());
        };
        const UniqueKernelHandle changed(::CreateEventW(nullptr, FALSE, FALSE, nullptr));
        if (!host_.get() || !changed || !WritePaths(scratch_.get(), {paths.begin() + first, paths.end()})) {
            return report({});
        }
        const auto doneUpTo = [&] { return first + ReadDword(scratch_.get(), kDoneValue).value_or(0); };
        size_t next = first;
        DWORD since = ::GetTickCount();
        for (;;) {
            // Armed before the count is read: a component done in between still wakes the wait.
            ::RegNotifyChangeKeyValue(scratch_.get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed.get(), TRUE);
            const size_t done = doneUpTo();
            if (done > next) {
                for (; next < done && next < paths.size(); ++next) {
                    if (!report(ReadCapture(scratch_.get(), next - first))) return false;
                }
                since = ::GetTickCount();
                continue;
            }
            if (next >= paths.size()) return true;
            const DWORD elapsed = ::GetTickCount() - since;
            const HANDLE waits[] = {host_.get(), changed.get()};
            const DWORD woke = ::WaitForMultipleObjects(2, waits, FALSE, elapsed < timeoutMs ? timeoutMs - elapsed : 0);
            if (woke == WAIT_OBJECT_0 + 1) continue;
            // The host ended or the time is up; it may have finished a component just before.
            if (doneUpTo() > next) continue;
            RegistrationCapture capture;
            if (woke == WAIT_OBJECT_0) {
                capture.end = RegistrationCapture::End::Crashed;
                ::GetExitCodeProcess(host_.get(), &capture.exitCode);
            } else {
                host_.End(ERROR_TIMEOUT);
                capture.end = RegistrationCapture::End::TimedOut;
            }
            return report(std::move(capture));
        }
    }

private:
    // Declared first, dropped last: the host is ended before its scratch key goes.
    ScratchKey scratch_;
    HostProcess host_;
};

CaptureHost::CaptureHost(std::wstring hostProgram)
    : program_(std::move(hostProgram)), started_(std::make_unique<Started>(program_)) {}

CaptureHost::~CaptureHost() = default;

std::vector<RegistrationCapture> CaptureHost::Capture(const std::vector<std::wstring>& componentPaths,
                                                      const CaptureProgress& each, DWORD timeoutMs) {
    std::vector<RegistrationCapture> captures;
    captures.reserve(componentPaths.size());
    while (captures.size() < componentPaths.size()) {
        // The host started ahead takes the list; after a crash or a hang a new one takes the rest.
        if (!started_) started_ = std::make_unique<Started>(program_);
        const bool goOn = started_->Capture(componentPaths, captures, each, timeoutMs);
        started_.reset();
        if (!goOn) break;
    }
    return captures;
}

int RunCaptureHost(const std::wstring& scratchKey, DWORD parentId) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnFault);
    UniqueHKey scratch;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, scratchKey.c_str(), 0, KEY_ALL_ACCESS, scratch.put()) != ERROR_SUCCESS) {
        return kHostFailed;
    }
    const std::optional<std::vector<std::wstring>> componentPaths = AwaitPaths(scratch.get(), parentId);
    if (!componentPaths) return kHostNotNeeded;
    // Redirected before the component is loaded, so that even its DllMain never sees the live
    // registry; and never back, as code of a component before may still run.
    PredefinedKeyRedirect redirect;
    for (size_t i = 0; i < componentPaths->size(); ++i) {
        UniqueHKey slot;
        if (::RegCreateKeyExW(scratch.get(), SlotName(i).c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, slot.put(),
                              nullptr) != ERROR_SUCCESS ||
            !redirect.MoveTo(slot.get())) {
            return kHostNotRedirected;
        }
        const RegistrationResult result = RegisterComponent((*componentPaths)[i]);
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
    return CaptureHost(hostProgram).Capture(componentPaths, each, timeoutMs);
}

RegistrationCapture CaptureRegistration(const std::wstring& hostProgram, const std::wstring& componentPath,
                                        DWORD timeoutMs) {
    return CaptureRegistrations(hostProgram, {componentPath}, {}, timeoutMs).front();
}

}  // namespace qn
