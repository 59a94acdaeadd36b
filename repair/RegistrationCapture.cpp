#include "repair/RegistrationCapture.h"

#include <algorithm>
#include <cstring>
#include <memory>
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
// Exit code of a host whose parent ended, or let it go, before giving it a whole list.
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

// The list goes through the host's standard input, a pipe that only the parent can write to:
// what an elevated host loads must not come from anywhere another program of the user could
// write to, as the scratch key. Each path ends with a NUL, and the list with one more.
// A host that ends before it took its list leaves the write failing; the capture then finds the
// host ended, as one that crashed.
void WritePaths(HANDLE pipe, const std::vector<std::wstring>& paths) {
    std::wstring list;
    for (const std::wstring& path : paths) list += path + L'\0';
    list += L'\0';
    DWORD written = 0;
    // A blocking pipe takes all of it, waiting for the host to read what does not fit.
    ::WriteFile(pipe, list.data(), static_cast<DWORD>(list.size() * sizeof(wchar_t)), &written, nullptr);
}

// Reads the list until the parent closes the pipe; nothing unless the list is whole (the parent
// ended or let the host go before).
std::optional<std::vector<std::wstring>> ReadPaths(HANDLE pipe) {
    std::string bytes;
    char buffer[8192];
    DWORD read = 0;
    while (::ReadFile(pipe, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    std::wstring list(bytes.size() / sizeof(wchar_t), L'\0');
    std::memcpy(list.data(), bytes.data(), list.size() * sizeof(wchar_t));
    if (bytes.size() % sizeof(wchar_t) || list.empty() || list.back() != L'\0') return std::nullopt;
    list.pop_back();
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

// A host started on `scratchKey`; `listPipe` receives the end of the pipe that its list goes into.
HANDLE StartHost(const std::wstring& hostProgram, const std::wstring& scratchKey, UniqueKernelHandle& listPipe) {
    // The host inherits the reading end as its standard input; the writing end stays here.
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    UniqueKernelHandle reading;
    UniqueKernelHandle writing;
    // Room for a list of a few hundred paths, so that giving it never waits for the host.
    if (!::CreatePipe(reading.put(), writing.put(), &inherited, 65536) ||
        !::SetHandleInformation(writing.get(), HANDLE_FLAG_INHERIT, 0)) {
        return nullptr;
    }
    std::wstring commandLine = Quoted(hostProgram) + L" " + kCaptureHostSwitch + L" " + Quoted(scratchKey);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = reading.get();
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(hostProgram.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                          &startup, &process)) {
        return nullptr;
    }
    ::CloseHandle(process.hThread);
    listPipe = std::move(writing);
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

}  // namespace

// A host process with its scratch key: started at once, given its list later.
class CaptureHost::Started {
public:
    explicit Started(const std::wstring& hostProgram)
        : scratch_(L"Software\\QNRepair capture " + UnsignedText(::GetCurrentProcessId())),
          host_(scratch_.get() ? StartHost(hostProgram, scratch_.path(), listPipe_) : nullptr) {}

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
        if (!host_.get() || !changed) return report({});
        WritePaths(listPipe_.get(), {paths.begin() + first, paths.end()});
        listPipe_.reset();
        const auto doneUpTo = [&] { return first + ReadDword(scratch_.get(), kDoneValue).value_or(0); };
        size_t next = first;
        DWORD since = ::GetTickCount();
        for (;;) {
            // Armed before the count is read: a component done in between still wakes the wait.
            ::RegNotifyChangeKeyValue(scratch_.get(), FALSE, REG_NOTIFY_CHANGE_LAST_SET, changed.get(), TRUE);
            const size_t done = doneUpTo();
            if (done > next) {
                for (; next < done && next < paths.size(); ++next) {
                    RegistrationCapture capture = ReadCapture(scratch_.get(), next - first);
                    // Gone while the host captures the next component, not all together at the end.
                    DeleteRegTree(scratch_.get(), SlotName(next - first));
                    if (!report(std::move(capture))) return false;
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
    // Dropped in reverse: the host is ended before its pipe is closed and its scratch key goes.
    ScratchKey scratch_;
    UniqueKernelHandle listPipe_;
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

int RunCaptureHost(const std::wstring& scratchKey) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnFault);
    UniqueHKey scratch;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, scratchKey.c_str(), 0, KEY_ALL_ACCESS, scratch.put()) != ERROR_SUCCESS) {
        return kHostFailed;
    }
    const std::optional<std::vector<std::wstring>> componentPaths = ReadPaths(::GetStdHandle(STD_INPUT_HANDLE));
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

}  // namespace qn
