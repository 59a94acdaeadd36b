#include "repair/RegistrationCapture.h"

#include <optional>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/PredefinedKeyRedirect.h"

namespace qn {

namespace {

// Values the host leaves in the scratch key itself; what the component writes goes into the
// subkeys named after the roots.
constexpr wchar_t kOutcomeValue[] = L"Outcome";
constexpr wchar_t kLoadErrorValue[] = L"LoadError";
constexpr wchar_t kStatusValue[] = L"Status";

constexpr int kHostFailed = 1;
// Exit code of a host whose roots could not be redirected: it must not call the component.
constexpr int kHostNotRedirected = 2;

const HKEY kCapturedRoots[] = {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER};

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

std::wstring Quoted(const std::wstring& text) { return L"\"" + text + L"\""; }

UniqueKernelHandle StartHost(const std::wstring& hostProgram, const std::wstring& scratchPath,
                             const std::wstring& componentPath) {
    std::wstring commandLine = Quoted(hostProgram) + L" " + kCaptureHostSwitch + L" " + Quoted(scratchPath) +
                               L" " + Quoted(componentPath);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!::CreateProcessW(hostProgram.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                          nullptr, &startup, &process)) {
        return {};
    }
    ::CloseHandle(process.hThread);
    return UniqueKernelHandle(process.hProcess);
}

}  // namespace

int RunCaptureHost(const std::wstring& scratchKey, const std::wstring& componentPath) {
    ::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX | SEM_NOOPENFILEERRORBOX);
    ::SetUnhandledExceptionFilter(EndOnFault);
    UniqueHKey scratch;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, scratchKey.c_str(), 0, KEY_ALL_ACCESS, scratch.put()) != ERROR_SUCCESS) {
        return kHostFailed;
    }
    bool redirected = false;
    const RegistrationResult result =
        RegisterComponent(componentPath, "DllRegisterServer", [&](ComponentEntryPoint entry) {
            const PredefinedKeyRedirect redirect(scratch.get());
            redirected = redirect.active();
            return redirected ? entry() : E_FAIL;
        });
    if (result.outcome == RegistrationOutcome::CallFailed && !redirected) return kHostNotRedirected;
    WriteDword(scratch.get(), kOutcomeValue, static_cast<DWORD>(result.outcome));
    WriteDword(scratch.get(), kLoadErrorValue, result.loadError);
    WriteDword(scratch.get(), kStatusValue, static_cast<DWORD>(result.status));
    return 0;
}

RegistrationCapture CaptureRegistration(const std::wstring& hostProgram, const std::wstring& componentPath,
                                        DWORD timeoutMs) {
    RegistrationCapture capture;
    capture.timeoutMs = timeoutMs;
    const ScratchKey scratch;
    if (!scratch.get()) return capture;
    const UniqueKernelHandle host = StartHost(hostProgram, scratch.path(), componentPath);
    if (!host) return capture;

    if (::WaitForSingleObject(host.get(), timeoutMs) != WAIT_OBJECT_0) {
        ::TerminateProcess(host.get(), ERROR_TIMEOUT);
        ::WaitForSingleObject(host.get(), INFINITE);
        capture.end = RegistrationCapture::End::TimedOut;
        return capture;
    }
    ::GetExitCodeProcess(host.get(), &capture.exitCode);

    const std::optional<DWORD> outcome = ReadDword(scratch.get(), kOutcomeValue);
    if (!outcome) {
        capture.end = RegistrationCapture::End::Crashed;
        return capture;
    }
    capture.end = RegistrationCapture::End::Finished;
    capture.result.outcome = static_cast<RegistrationOutcome>(*outcome);
    capture.result.loadError = ReadDword(scratch.get(), kLoadErrorValue).value_or(ERROR_SUCCESS);
    capture.result.status = static_cast<HRESULT>(ReadDword(scratch.get(), kStatusValue).value_or(S_OK));
    if (capture.result.outcome == RegistrationOutcome::LoadFailed ||
        capture.result.outcome == RegistrationOutcome::EntryPointMissing) {
        return capture;
    }
    for (const HKEY root : kCapturedRoots) {
        RegTree tree = ReadRegTree(scratch.get(), RootKeyName(root));
        // The root itself is no entry of the component's.
        if (!tree.keys.empty()) tree.keys.erase(tree.keys.begin());
        capture.roots.push_back({root, std::move(tree)});
    }
    return capture;
}

}  // namespace qn
