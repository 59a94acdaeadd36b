// The program run by a script: switches, exit codes, outputs that are whole or not there.
#include <windows.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"
#include "ReportHelpers.h"
#include "app/CommandLine.h"
#include "app/Unattended.h"
#include "platform/AtomicFile.h"
#include "support/ChildProcess.h"

using namespace qn;
using namespace qn::test;

namespace {

std::wstring Program() { return TestDir().substr(0, TestDir().rfind(L'\\')) + L"\\QNRepair.exe"; }

// The names of the files in `folder`.
std::vector<std::wstring> FilesIn(const std::wstring& folder) {
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW found{};
    const HANDLE search = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (::FindNextFileW(search, &found));
    ::FindClose(search);
    return names;
}

// The Jet files as fixtures: the engine, then the two other servers.
ScopedComponents JetServers(const wchar_t* second, const wchar_t* third) {
    return ScopedComponents::Jet({L"fx_reg_ok", second, third, L"", L"", L""});
}

}  // namespace

TEST(CommandLine, SwitchesAreCaseInsensitiveWithSlashOrDash) {
    const ParsedCommandLine all = ParseCommandLine({L"-REPORT", L"r.txt", L"/Json", L"-", L"/repair", L"ALL"});
    ASSERT_TRUE(all.commandLine) << Narrow(all.error);
    EXPECT_EQ(all.commandLine->reportFile, L"r.txt");
    EXPECT_EQ(all.commandLine->jsonFile, L"-");
    EXPECT_EQ(all.commandLine->repairs, (std::vector<RepairComponent>{RepairComponent::Mdac, RepairComponent::Jet}));
    EXPECT_EQ(ParseCommandLine({L"/repair", L"jet", L"/repair", L"mdac"}).commandLine->repairs,
              (std::vector<RepairComponent>{RepairComponent::Jet, RepairComponent::Mdac}));
    EXPECT_TRUE(ParseCommandLine({L"/?"}).commandLine->showUsage);
    EXPECT_TRUE(ParseCommandLine({L"-?"}).commandLine->showUsage);

    EXPECT_EQ(ParseCommandLine({L"/bogus"}).error, L"Unknown argument: /bogus");
    EXPECT_EQ(ParseCommandLine({L"report.txt"}).error, L"Unknown argument: report.txt");
    EXPECT_EQ(ParseCommandLine({L"/report"}).error, L"/report needs a value.");
    EXPECT_EQ(ParseCommandLine({L"/json", L"/repair", L"all"}).error, L"/json needs a value.");
    EXPECT_EQ(ParseCommandLine({L"/repair", L"office"}).error, L"Unknown argument: office");
}

TEST(CommandLine, ProgramWritesJsonToRedirectedOutputAndShowsNoWindow) {
    TempDir dir;
    const std::wstring out = dir.path() + L"\\out.json", err = dir.path() + L"\\err.txt";
    ChildProcess child(Program(), L"/json -", out, err);
    ASSERT_TRUE(child.started());
    // Watched until the program ends: no window ever shows.
    EXPECT_EQ(child.WaitForWindow(L"QNRepairMainWindow", 30000), nullptr);
    EXPECT_EQ(child.WaitForExit(30000), 0u);
    const nlohmann::json root = ParseJson(ReadBytes(out));
    EXPECT_EQ(root.at("schema"), 1);
    EXPECT_EQ(root.at("mdac").at("files").size(), kMdacCount);
    EXPECT_EQ(ReadBytes(err), "");
}

TEST(CommandLine, ProgramTellsWrongArgumentsOnStandardErrorWithExitCode2) {
    TempDir dir;
    const std::wstring out = dir.path() + L"\\out.txt", err = dir.path() + L"\\err.txt";
    ChildProcess child(Program(), L"/report r.txt /frobnicate", out, err);
    ASSERT_TRUE(child.started());
    EXPECT_EQ(child.WaitForExit(30000), 2u);
    const std::wstring text = FromUtf8(ReadBytes(err));
    EXPECT_EQ(text.rfind(L"Unknown argument: /frobnicate\r\n", 0), 0u) << Narrow(text);
    EXPECT_TRUE(Contains(text, L"Usage: QNRepair.exe"));
    EXPECT_TRUE(FilesIn(dir.path()).size() == 2u);  // no r.txt: nothing ran
}

TEST(CommandLine, RepairExitCodeTellsHowTheRegistrationsWent) {
    const ScopedComponents mdac = ScopedComponents::Mdac(Placement(kMdacCount));
    const RegistrationLog log;
    TempDir dir;
    const std::wstring json = dir.path() + L"\\jet.json";
    struct Case { const wchar_t* second; const wchar_t* third; int exitCode; };
    const Case cases[] = {
        {L"fx_reg_ok", L"fx_reg_false", kExitSuccess},          // S_FALSE counts as registered
        {L"fx_reg_ok", L"fx_no_export", kExitRepairFailed},
        {L"fx_reg_denied", L"fx_no_export", kExitNeedsElevation},  // missing rights win
        {L"", L"", kExitSuccess},                                // missing files are skipped
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(Narrow(std::wstring(c.second) + L" " + c.third));
        const ScopedComponents jet = JetServers(c.second, c.third);
        EXPECT_EQ(RunUnattended({L"/repair", L"jet", L"/json", json}), c.exitCode);
        const nlohmann::json root = ParseJson(ReadBytes(json));
        ASSERT_EQ(root.at("repairs").size(), 1u);
        EXPECT_EQ(root["repairs"][0]["files"].size(), kJetCount);
        EXPECT_EQ(root["repairs"][0]["files"][0]["outcome"], "registered");
    }
    // /repair all: MDAC first (nothing there to register), then Jet.
    const ScopedComponents jet = JetServers(L"fx_reg_ok", L"fx_reg_ok");
    EXPECT_EQ(RunUnattended({L"/repair", L"all", L"/json", json}), kExitSuccess);
    const nlohmann::json root = ParseJson(ReadBytes(json));
    EXPECT_EQ(root["repairs"][0]["component"], "mdac");
    EXPECT_EQ(root["repairs"][1]["component"], "jet");
}

TEST(CommandLine, UnwritableOutputLeavesNoPartialFileAndExits2) {
    TempDir dir;
    const std::wstring kept = dir.path() + L"\\kept.json";
    ASSERT_EQ(WriteFileAtomically(kept, "old"), static_cast<DWORD>(ERROR_SUCCESS));
    const std::wstring folder = dir.path() + L"\\a folder.json";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    // The JSON could be written, the report cannot: the JSON stays whole, the exit code is 2.
    EXPECT_EQ(RunUnattended({L"/json", kept, L"/report", folder}), kExitUsage);
    EXPECT_EQ(ParseJson(ReadBytes(kept)).at("schema"), 1);
    EXPECT_EQ(RunUnattended({L"/report", dir.path() + L"\\no such folder\\r.txt"}), kExitUsage);
    EXPECT_EQ(FilesIn(dir.path()), std::vector<std::wstring>{L"kept.json"});
    EXPECT_TRUE(FilesIn(folder).empty());

    // A good output is written whole, the report with a byte-order mark.
    const std::wstring report = dir.path() + L"\\report.txt";
    EXPECT_EQ(RunUnattended({L"/report", report}), kExitSuccess);
    EXPECT_EQ(ReadBytes(report).substr(0, 21), "\xEF\xBB\xBFQNRepair 1.10.0043");
}
