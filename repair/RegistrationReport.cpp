#include "repair/RegistrationReport.h"

#include <algorithm>

#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/SystemMessage.h"
#include "resources/resource.h"

namespace qn {

namespace {
constexpr wchar_t kLineBreak[] = L"\r\n";
constexpr wchar_t kReasonIndent[] = L"    ";
// "The requested operation requires elevation"; MinGW's headers lack the name.
constexpr DWORD kErrorElevationRequired = 740;

bool Failed(const RegistrationFailure& failure) { return IsFailure(failure.result); }

std::wstring StatusMessage(HRESULT status, LANGID language) {
    const DWORD code = static_cast<DWORD>(status);
    std::wstring text = SystemMessage(code, language);
    // Not every system keeps texts for Win32 errors wrapped as HRESULTs; the wrapped error
    // has one.
    if (text.empty() && HRESULT_FACILITY(status) == FACILITY_WIN32) {
        text = SystemMessage(HRESULT_CODE(status), language);
    }
    return text;
}

}  // namespace

std::wstring DescribeFailure(const std::wstring& file, const RegistrationResult& result, LANGID language) {
    switch (result.outcome) {
    case RegistrationOutcome::LoadFailed: {
        // Load errors such as "%1 is not a valid Win32 application" name the file.
        std::wstring reason = InsertValue(SystemMessage(result.loadError, language), file);
        if (reason.empty()) reason = HexText(result.loadError);
        return LoadResString(IDS_REPAIR_LOAD_FAILED, language) + L" " + reason;
    }
    case RegistrationOutcome::EntryPointMissing:
        return LoadResString(IDS_REPAIR_NO_ENTRY_POINT, language);
    case RegistrationOutcome::CallFailed: {
        std::wstring line = InsertValue(LoadResString(IDS_REPAIR_CALL_FAILED, language),
                                   HexText(static_cast<DWORD>(result.status)));
        const std::wstring reason = StatusMessage(result.status, language);
        if (!reason.empty()) line += L" " + reason;
        return line;
    }
    case RegistrationOutcome::Skipped:
    case RegistrationOutcome::Registered:
        break;
    }
    return {};
}

bool IsFailure(const RegistrationResult& result) {
    return result.outcome == RegistrationOutcome::LoadFailed || result.outcome == RegistrationOutcome::EntryPointMissing ||
           result.outcome == RegistrationOutcome::CallFailed;
}

bool MeansMissingRights(const RegistrationResult& result) {
    switch (result.outcome) {
    case RegistrationOutcome::LoadFailed:
        return result.loadError == ERROR_ACCESS_DENIED ||
               result.loadError == ERROR_PRIVILEGE_NOT_HELD ||
               result.loadError == kErrorElevationRequired;
    case RegistrationOutcome::CallFailed:
        switch (result.status) {
        case E_ACCESSDENIED:
        case STG_E_ACCESSDENIED:
        case TYPE_E_REGISTRYACCESS:
        case REGDB_E_WRITEREGDB:
        case HRESULT_FROM_WIN32(ERROR_PRIVILEGE_NOT_HELD):
        case HRESULT_FROM_WIN32(kErrorElevationRequired):
            return true;
        default:
            return false;
        }
    case RegistrationOutcome::Skipped:
    case RegistrationOutcome::Registered:
    case RegistrationOutcome::EntryPointMissing:
        break;
    }
    return false;
}

std::wstring FormatRegistrationFailures(const std::vector<RegistrationFailure>& failures,
                                        const std::optional<std::wstring>& backup) {
    if (std::none_of(failures.begin(), failures.end(), Failed)) return {};
    const LANGID language = UserTextLanguage();

    // The intro, a blank line, two lines per file (the reason indented under its file), and
    // after another blank line the hint about rights.
    std::wstring text = LoadResString(IDS_REPAIR_FAILED_INTRO, language) + kLineBreak;
    bool missingRights = false;
    for (const RegistrationFailure& failure : failures) {
        if (!Failed(failure)) continue;
        text += kLineBreak + failure.file + kLineBreak + kReasonIndent +
                DescribeFailure(failure.file, failure.result, language);
        missingRights = missingRights || MeansMissingRights(failure.result);
    }
    if (backup) {
        text += kLineBreak;
        text += kLineBreak + LoadResString(IDS_BACKUP_SAVED, language) + kLineBreak + *backup;
    }
    if (missingRights) {
        text += kLineBreak;
        text += kLineBreak + LoadResString(IDS_REPAIR_RUN_AS_ADMIN, language);
    }
    return text;
}

}  // namespace qn
