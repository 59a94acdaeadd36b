#include "report/JsonReport.h"

#include "platform/NumberText.h"
#include "repair/RegistrationReport.h"
#include "report/JsonWriter.h"

namespace qn {

namespace {

std::wstring IsoTime(const SYSTEMTIME& t) { return DateText(t) + L"T" + TimeOfDayText(t, L':') + L"Z"; }

void WriteRegistration(JsonWriter& json, const RegistrationCheck& check) {
    json.BeginObject();
    json.NumberMember("expected", check.expected);
    json.NumberMember("missing", check.missing);
    json.NumberMember("different", check.different);
    json.Key("differences");
    json.BeginArray();
    for (const RegistrationDifference& difference : check.differences) {
        json.BeginObject();
        json.Member("key", difference.key);
        json.Member("value", difference.value);
        json.Member("expected", difference.expected);
        json.Member("actual", difference.actual);
        json.EndObject();
    }
    json.EndArray();
    json.Member("error", check.error);
    json.EndObject();
}

void WriteFiles(JsonWriter& json, const FileList& files, const RegistrationChecks& registrations) {
    json.Key("files");
    json.BeginArray();
    for (const FileInfo& file : files) {
        json.BeginObject();
        json.Member("name", file.name);
        json.Member("path", file.path);
        json.Member("version", file.version);
        json.Member("registrable", file.registrable);
        // null: not checked (no check ran, or the file is not one a repair registers).
        json.Key("registration");
        const RegistrationCheck* check = file.path ? FindRegistrationCheck(registrations, *file.path) : nullptr;
        if (check) WriteRegistration(json, *check);
        else json.Null();
        json.EndObject();
    }
    json.EndArray();
}

// The MDAC or Jet group: installed against newest version, and the files. Only MDAC judges
// the two, so only it carries installedIsNewer.
void WriteGroup(JsonWriter& json, const char* key, const std::optional<std::wstring>& installed, const wchar_t* newest,
                const std::optional<bool>& installedIsNewer, const FileList& files,
                const RegistrationChecks& registrations) {
    json.Key(key);
    json.BeginObject();
    json.Member("installedVersion", installed);
    json.Member("newestVersion", newest);
    if (installedIsNewer) {
        json.Member("installedIsNewer", *installedIsNewer);
    }
    WriteFiles(json, files, registrations);
    json.EndObject();
}

void WriteWindows(JsonWriter& json, const WindowsFindings& windows) {
    json.Key("windows");
    json.BeginObject();
    json.Member("name", windows.name);
    json.NumberMember("major", windows.os.major);
    json.NumberMember("minor", windows.os.minor);
    json.NumberMember("build", windows.os.build);
    json.NumberMember("userLanguage", windows.userLanguage);
    json.NumberMember("ansiCodePage", windows.ansiCodePage);
    json.Member("internetExplorerVersion", windows.internetExplorerVersion);
    json.Key("folders");
    json.BeginObject();
    const std::pair<const char*, const std::optional<std::wstring>*> folders[] = {
        {"documents", &windows.folders.documents},
        {"appData", &windows.folders.appData},
        {"temp", &windows.folders.temp},
        {"htmlHelp", &windows.folders.htmlHelp},
    };
    for (const auto& [name, folder] : folders) {
        json.Member(name, *folder);
    }
    json.EndObject();
    json.EndObject();
}

void WriteComponents(JsonWriter& json, const ComponentVersions& components) {
    json.Key("components");
    json.BeginObject();
    const std::pair<const char*, const std::optional<std::wstring>*> versions[] = {
        {"vbRuntime", &components.vbRuntime},   {"vbScript", &components.vbScript},
        {"activeBar2", &components.activeBar2}, {"gridEx20", &components.gridEx20},
        {"msxml", &components.msxml},
    };
    for (const auto& [name, version] : versions) {
        json.Member(name, *version);
    }
    json.EndObject();
}

void WriteOutcome(JsonWriter& json, const FileOutcome& file, LANGID language) {
    const RegistrationResult& result = file.result;
    json.BeginObject();
    json.Member("name", file.name);
    json.Member("path", file.path);
    json.Member("outcome", std::string_view(OutcomeName(result.outcome)));
    json.Key("error");
    if (result.outcome == RegistrationOutcome::LoadFailed) json.Number(result.loadError);
    else json.Null();
    json.Key("hresult");
    if (result.outcome == RegistrationOutcome::CallFailed || result.outcome == RegistrationOutcome::Registered) {
        json.String(HexText(static_cast<DWORD>(result.status)));
    } else {
        json.Null();
    }
    json.Key("message");
    if (IsFailure(result)) json.String(DescribeFailure(file.path.value_or(file.name), result, language));
    else json.Null();
    json.EndObject();
}

void WriteRepairs(JsonWriter& json, const std::vector<RepairRun>& repairs, LANGID language) {
    json.Key("repairs");
    json.BeginArray();
    for (const RepairRun& run : repairs) {
        json.BeginObject();
        json.Member("component", run.component == RepairComponent::Mdac ? L"mdac" : L"jet");
        json.Member("backup", run.backup);
        json.Key("files");
        json.BeginArray();
        for (const FileOutcome& file : run.files) WriteOutcome(json, file, language);
        json.EndArray();
        json.EndObject();
    }
    json.EndArray();
}

}  // namespace

const char* OutcomeName(RegistrationOutcome outcome) {
    switch (outcome) {
        case RegistrationOutcome::Registered: return "registered";
        case RegistrationOutcome::LoadFailed: return "loadFailed";
        case RegistrationOutcome::EntryPointMissing: return "entryPointMissing";
        case RegistrationOutcome::CallFailed: return "callFailed";
        case RegistrationOutcome::Skipped: break;
    }
    return "skipped";
}

std::string ReportJson(const Report& report, LANGID language) {
    JsonWriter json;
    json.BeginObject();
    json.NumberMember("schema", kJsonSchema);
    json.Key("program");
    json.BeginObject();
    json.Member("name", kProgramName);
    json.Member("version", kProgramVersion);
    json.EndObject();
    json.Member("generated", IsoTime(report.generatedUtc));
    json.Member("computer", report.computer);
    const Findings& found = report.findings;
    WriteGroup(json, "mdac", found.mdac.installedVersion, kNewestMdacVersion, found.mdac.installedIsNewer, found.mdac.files,
               report.registrations);
    WriteGroup(json, "jet", found.jet.installedVersion, kNewestJetVersion, std::nullopt, found.jet.files, report.registrations);
    WriteWindows(json, report.findings.windows);
    WriteComponents(json, report.findings.components);
    WriteRepairs(json, report.repairs, language);
    json.EndObject();
    return json.Text();
}

}  // namespace qn

