#include "app/CommandLine.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <iterator>

#include "platform/Strings.h"
#include "resources/resource.h"

namespace qn {

namespace {

bool SameText(const std::wstring& a, const wchar_t* b) { return ::lstrcmpiW(a.c_str(), b) == 0; }

void AddRepair(CommandLine& line, RepairComponent component) {
    if (std::find(line.repairs.begin(), line.repairs.end(), component) == line.repairs.end()) {
        line.repairs.push_back(component);
    }
}

// Applies the switch's value; false when the value is not one the switch takes.
using ApplySwitch = bool (*)(CommandLine& line, const std::wstring& value);

struct Switch {
    const wchar_t* name;  // without its leading "/" or "-"
    bool takesValue;
    ApplySwitch apply;
};

const Switch kSwitches[] = {
    {L"report", true, [](CommandLine& line, const std::wstring& file) { line.reportFile = file; return true; }},
    {L"json", true, [](CommandLine& line, const std::wstring& file) { line.jsonFile = file; return true; }},
    {L"repair", true,
     [](CommandLine& line, const std::wstring& what) {
         const bool all = SameText(what, L"all");
         if (!all && !SameText(what, L"mdac") && !SameText(what, L"jet")) return false;
         // The buttons' order when both run: MDAC first, as its page comes first.
         if (all || SameText(what, L"mdac")) AddRepair(line, RepairComponent::Mdac);
         if (all || SameText(what, L"jet")) AddRepair(line, RepairComponent::Jet);
         return true;
     }},
    {L"check", false, [](CommandLine& line, const std::wstring&) { line.check = true; return true; }},
    {L"restore", true, [](CommandLine& line, const std::wstring& file) { line.restoreFile = file; return true; }},
    {L"?", false, [](CommandLine& line, const std::wstring&) { line.showUsage = true; return true; }},
};

const Switch* FindSwitch(const std::wstring& argument) {
    if (argument.size() < 2 || (argument[0] != L'/' && argument[0] != L'-')) return nullptr;
    const std::wstring name = argument.substr(1);
    const auto found = std::find_if(std::begin(kSwitches), std::end(kSwitches),
                                    [&](const Switch& candidate) { return SameText(name, candidate.name); });
    return found == std::end(kSwitches) ? nullptr : found;
}

}  // namespace

ParsedCommandLine ParseCommandLine(const std::vector<std::wstring>& arguments) {
    CommandLine line;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const Switch* const option = FindSwitch(arguments[i]);
        if (!option) return {std::nullopt, InsertValue(LoadResString(IDS_CLI_UNKNOWN_ARGUMENT), arguments[i])};
        std::wstring value;
        if (option->takesValue) {
            // "-" names standard output, so only "/" marks a switch where a value is due.
            if (i + 1 >= arguments.size() || arguments[i + 1].empty() || arguments[i + 1][0] == L'/') {
                return {std::nullopt, InsertValue(LoadResString(IDS_CLI_MISSING_VALUE), arguments[i])};
            }
            value = arguments[++i];
        }
        if (!option->apply(line, value)) {
            return {std::nullopt, InsertValue(LoadResString(IDS_CLI_UNKNOWN_ARGUMENT), value)};
        }
    }
    return {line, {}};
}

std::vector<std::wstring> ProgramArguments() {
    int count = 0;
    LPWSTR* const arguments = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!arguments) return {};
    std::vector<std::wstring> result(arguments + std::min(count, 1), arguments + count);
    ::LocalFree(arguments);
    return result;
}

std::wstring UsageText() {
    std::wstring text;
    for (const wchar_t c : LoadResString(IDS_USAGE)) {
        if (c == L'\n') text += L'\r';
        text += c;
    }
    return text;
}

}  // namespace qn
