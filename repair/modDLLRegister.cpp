#include "repair/modDLLRegister.h"

#include "platform/Handles.h"
#include "platform/ScopedErrorMode.h"
#include "platform/SystemLibrary.h"

namespace qn {

namespace {

// A component's own dependencies usually lie beside it, so the loader must look in the
// component's folder first. The program restricts its default search to the system directory,
// which LOAD_LIBRARY_SEARCH_DEFAULT_DIRS keeps; LOAD_WITH_ALTERED_SEARCH_PATH, which does the
// same on older systems (and is what regsvr32 uses), cannot be combined with those flags.
DWORD ComponentLoadFlags() {
    return SystemSupportsDllSearchFlags()
               ? LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_DEFAULT_DIRS
               : LOAD_WITH_ALTERED_SEARCH_PATH;
}

UniqueModule LoadComponent(const std::wstring& path, DWORD& error) {
    // A damaged file or a missing dependency would otherwise stop the repair with a system
    // dialog; the failure is reported by the program instead.
    const ScopedErrorMode quiet(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    UniqueModule module(::LoadLibraryExW(path.c_str(), nullptr, ComponentLoadFlags()));
    error = module ? ERROR_SUCCESS : ::GetLastError();
    return module;
}
}  // namespace

RegistrationResult RegisterComponent(const std::wstring& path, const std::string& entryName) {
    return RegisterComponent(path, entryName, [](ComponentEntryPoint entry) { return entry(); });
}

RegistrationResult RegisterComponent(const std::wstring& path, const std::string& entryName,
                                     const std::function<HRESULT(ComponentEntryPoint)>& invoke) {
    RegistrationResult result;
    if (path.empty()) return result;

    DWORD loadError = ERROR_SUCCESS;
    const UniqueModule module = LoadComponent(path, loadError);
    if (!module) {
        result.outcome = RegistrationOutcome::LoadFailed;
        result.loadError = loadError;
        return result;
    }

    const auto entry = GetProc<ComponentEntryPoint>(module.get(), entryName.c_str());
    if (!entry) {
        result.outcome = RegistrationOutcome::EntryPointMissing;
        return result;
    }

    result.status = invoke(entry);
    result.outcome = FAILED(result.status) ? RegistrationOutcome::CallFailed
                                           : RegistrationOutcome::Registered;
    return result;
}

}  // namespace qn
