#include "repair/modDLLRegister.h"

#include "platform/SystemLibrary.h"
#include "repair/ComponentLoader.h"

namespace qn {

namespace {

// The self-registration export of a component.
using ComponentEntryPoint = HRESULT(STDAPICALLTYPE*)();

}  // namespace

RegistrationResult RegisterComponent(const std::wstring& path, const std::string& entryName) {
    RegistrationResult result;
    const LoadedComponent component = LoadComponent(path);
    if (component.outcome == ComponentLoadOutcome::Absent) return result;
    if (component.outcome == ComponentLoadOutcome::Failed) {
        result.outcome = RegistrationOutcome::LoadFailed;
        result.loadError = component.error;
        return result;
    }

    const auto entry = GetProc<ComponentEntryPoint>(component.module.get(), entryName.c_str());
    if (!entry) {
        result.outcome = RegistrationOutcome::EntryPointMissing;
        return result;
    }

    result.status = entry();
    result.outcome = FAILED(result.status) ? RegistrationOutcome::CallFailed
                                           : RegistrationOutcome::Registered;
    return result;
}

}  // namespace qn
