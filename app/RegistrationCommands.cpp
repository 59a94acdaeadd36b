#include "app/RegistrationCommands.h"

#include <windows.h>

#include "analysis/JetPage.h"
#include "analysis/MdacPage.h"
#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/SystemLibrary.h"
#include "repair/RegistryBackup.h"

namespace qn {

namespace {

constexpr wchar_t kLineBreak[] = L"\r\n";
// Everything goes into the report; the window's cell shows only the first few.
constexpr size_t kAllDifferences = static_cast<size_t>(-1);

bool IsSwitch(const std::wstring& arg, const wchar_t* name) {
    return arg.size() > 1 && (arg[0] == L'/' || arg[0] == L'-') && ::lstrcmpiW(arg.c_str() + 1, name) == 0;
}

std::string JsonString(const std::wstring& text) {
    std::string json = "\"";
    for (const char c : Utf8(text)) {
        switch (c) {
        case '"': json += "\\\""; break;
        case '\\': json += "\\\\"; break;
        case '\n': json += "\\n"; break;
        case '\r': json += "\\r"; break;
        case '\t': json += "\\t"; break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                static constexpr char kDigits[] = "0123456789abcdef";
                json += "\\u00";
                json += kDigits[(c >> 4) & 0xF];
                json += kDigits[c & 0xF];
            } else {
                json += c;
            }
        }
    }
    return json + "\"";
}

std::string JsonOptional(const std::optional<std::wstring>& text) { return text ? JsonString(*text) : "null"; }

std::string FilesJson(const std::vector<CheckedFile>& files) {
    std::string json = "[";
    for (const CheckedFile& checked : files) {
        if (json.size() > 1) json += ",";
        const bool found = checked.file.FilePath != kFileNotFound;
        json += "{\"name\":" + JsonString(checked.file.FileName) +
                ",\"path\":" + JsonOptional(found ? std::optional(checked.file.FilePath) : std::nullopt) +
                ",\"registrable\":" + (checked.file.NoRegister ? "false" : "true") +
                ",\"registration\":" + RegistrationJson(checked.registration) + "}";
    }
    return json + "]";
}

// Written beside the target under a temporary name and then renamed, so that a failure leaves
// no half-written file.
bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    const std::wstring temporary = path + L".tmp";
    bool written = false;
    {
        const HANDLE raw = ::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                         FILE_ATTRIBUTE_NORMAL, nullptr);
        if (raw == INVALID_HANDLE_VALUE) return false;
        const UniqueKernelHandle file(raw);
        DWORD count = 0;
        written = ::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &count, nullptr) &&
                  count == bytes.size();
    }
    if (written && ::MoveFileExW(temporary.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING)) return true;
    ::DeleteFileW(temporary.c_str());
    return false;
}

int RunCheck(const std::optional<std::wstring>& json, const std::optional<std::wstring>& report,
             const std::wstring& captureHost) {
    const std::vector<CheckedGroup> groups = CheckAllRegistrations(captureHost);
    if (json) {
        std::string text = "{\"schema\":1";
        for (const CheckedGroup& group : groups) {
            text += ",\"" + std::string(group.name == L"MDAC" ? "mdac" : "jet") + "\":{\"files\":" + FilesJson(group.files) + "}";
        }
        if (!WriteWhole(*json, text + "}\n")) return kExitUsage;
    }
    if (report && !WriteWhole(*report, "\xEF\xBB\xBF" + Utf8(RegistrationCheckReport(groups)))) return kExitUsage;
    for (const CheckedGroup& group : groups) {
        for (const CheckedFile& checked : group.files) {
            if (checked.registration && !checked.registration->registered()) return kExitNotRegistered;
        }
    }
    return 0;
}

int RunRestore(const std::wstring& file) {
    switch (RestoreRegistryBackup(file)) {
    case RestoreOutcome::Restored: return 0;
    case RestoreOutcome::NoRights: return kExitNoRights;
    case RestoreOutcome::Unreadable: return kExitUsage;
    case RestoreOutcome::Failed: break;
    }
    return 1;
}

}  // namespace

std::vector<CheckedGroup> CheckAllRegistrations(const std::wstring& captureHost) {
    std::vector<CheckedGroup> groups = {{L"MDAC", {}}, {L"Jet 4.0", {}}};
    const FileList lists[] = {CollectMDACFiles(), CollectJetFiles(SystemDirectory())};
    for (size_t i = 0; i < 2; ++i) {
        for (const FileInfo& file : lists[i]) {
            CheckedFile checked{file, std::nullopt};
            if (IsRegistrablePresent(file)) checked.registration = CheckRegistration(captureHost, file.FilePath);
            groups[i].files.push_back(std::move(checked));
        }
    }
    return groups;
}

std::wstring RegistrationCheckReport(const std::vector<CheckedGroup>& groups) {
    std::wstring text;
    for (const CheckedGroup& group : groups) {
        if (!text.empty()) text += kLineBreak;
        text += group.name + kLineBreak;
        for (const CheckedFile& checked : group.files) {
            if (!checked.registration) continue;
            text += L"  " + checked.file.FilePath + kLineBreak;
            std::wstring result = RegistrationCheckText(*checked.registration, kAllDifferences);
            for (size_t at = 0; (at = result.find(kLineBreak, at)) != std::wstring::npos; at += 6) {
                result.replace(at, 2, std::wstring(kLineBreak) + L"    ");
            }
            text += L"    " + result + kLineBreak;
        }
    }
    return text;
}

std::string RegistrationJson(const std::optional<RegistrationCheck>& check) {
    if (!check) return "null";
    std::string json = "{\"expected\":" + std::to_string(check->expected) +
                       ",\"missing\":" + std::to_string(check->missing) +
                       ",\"different\":" + std::to_string(check->different) + ",\"differences\":[";
    for (size_t i = 0; i < check->differences.size(); ++i) {
        const RegistrationDifference& difference = check->differences[i];
        if (i > 0) json += ",";
        json += "{\"key\":" + JsonString(difference.key) + ",\"value\":" + JsonOptional(difference.value) +
                ",\"expected\":" + JsonString(difference.expected) + ",\"actual\":" + JsonOptional(difference.actual) + "}";
    }
    return json + "],\"error\":" + JsonOptional(check->error) + "}";
}

std::optional<int> RunRegistrationCommand(const std::vector<std::wstring>& args, const std::wstring& captureHost) {
    if (args.empty()) return std::nullopt;
    if (IsSwitch(args[0], L"restore")) return args.size() == 2 ? RunRestore(args[1]) : kExitUsage;
    if (!IsSwitch(args[0], L"check")) return std::nullopt;
    std::optional<std::wstring> json;
    std::optional<std::wstring> report;
    for (size_t i = 1; i < args.size(); i += 2) {
        if (i + 1 >= args.size()) return kExitUsage;
        if (IsSwitch(args[i], L"json")) json = args[i + 1];
        else if (IsSwitch(args[i], L"report")) report = args[i + 1];
        else return kExitUsage;
    }
    return RunCheck(json, report, captureHost);
}

}  // namespace qn
