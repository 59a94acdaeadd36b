// The report and the JSON on a machine of chosen files, read back: the JSON with a real parser,
// field by field; the text as a person reads it, in both languages.
#include <windows.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"
#include "ReportHelpers.h"
#include "analysis/JetPage.h"
#include "app/TextReport.h"
#include "platform/Strings.h"
#include "platform/SystemLibrary.h"
#include "report/JsonReport.h"
#include "report/JsonWriter.h"

using namespace qn;
using namespace qn::test;
using nlohmann::json;

namespace {

Report MakeFixtureReport() {
    const std::wstring system = SystemDirectory();
    std::vector<RepairRun> runs{RunRepair(RepairComponent::Jet, CollectJetFiles(system))};
    return MakeReport(system, QueryOsVersion(), std::move(runs));
}

void ExpectFile(const json& file, const std::wstring& name, const json& path, const json& version, bool registrable) {
    SCOPED_TRACE(Narrow(name));
    EXPECT_EQ(file.at("name"), Utf8(name));
    EXPECT_EQ(file.at("path"), path);
    EXPECT_EQ(file.at("version"), version);
    EXPECT_EQ(file.at("registrable"), registrable);
}

}  // namespace

TEST(JsonReport, CarriesEveryFindingAndOutcomeFieldByField) {
    const FixtureMachine machine;
    const Report report = MakeFixtureReport();
    const json root = ParseJson(ReportJson(report, UserTextLanguage()));

    EXPECT_EQ(root.at("schema"), 1);
    EXPECT_EQ(root.at("program"), (json{{"name", "QNRepair"}, {"version", "1.10.0043"}}));
    const std::string generated = root.at("generated");
    ASSERT_EQ(generated.size(), 20u) << generated;
    EXPECT_EQ(generated.substr(4, 1) + generated.substr(10, 1) + generated.substr(19), "-TZ");
    EXPECT_EQ(root.at("computer"), Utf8(ComputerName()));

    const json& mdac = root.at("mdac");
    EXPECT_EQ(mdac.at("installedVersion"), "2.81.1117.0");
    EXPECT_EQ(mdac.at("newestVersion"), "2.80.1022.3");
    EXPECT_EQ(mdac.at("installedIsNewer"), true);
    ASSERT_EQ(mdac.at("files").size(), kMdacCount);
    ExpectFile(mdac["files"][0], L"MSADO15.DLL", Utf8(machine.mdac().Path(0)), "2.80.1022", true);
    ExpectFile(mdac["files"][1], L"MSADER15.DLL", Utf8(machine.mdac().Path(1)), nullptr, false);
    ExpectFile(mdac["files"][2], L"MSADOR15.DLL", nullptr, nullptr, true);

    const json& jet = root.at("jet");
    EXPECT_EQ(jet.at("installedVersion"), "4.0.8618");
    EXPECT_EQ(jet.at("newestVersion"), "4.0.8618");
    ASSERT_EQ(jet.at("files").size(), kJetCount);
    ExpectFile(jet["files"][0], L"msjet40.dll", Utf8(machine.jet().Path(0)), "4.0.8618", true);
    ExpectFile(jet["files"][3], L"mswstr10.dll", nullptr, nullptr, false);

    const json& windows = root.at("windows");
    const OsVersion os = QueryOsVersion();
    EXPECT_EQ(windows.at("name"), "Windows 7");
    EXPECT_EQ(windows.at("major"), os.major);
    EXPECT_EQ(windows.at("minor"), os.minor);
    EXPECT_EQ(windows.at("build"), os.build);
    EXPECT_EQ(windows.at("userLanguage"), 1033);
    EXPECT_EQ(windows.at("ansiCodePage"), 1252);
    EXPECT_TRUE(windows.at("internetExplorerVersion").is_string());
    const json& folders = windows.at("folders");
    EXPECT_EQ(folders.at("documents"), Utf8(*report.findings.windows.folders.documents));
    EXPECT_EQ(folders.at("htmlHelp"), nullptr);
    if (!machine.foreignTemp().empty()) {
        EXPECT_EQ(folders.at("temp"), Utf8(machine.foreignTemp()));
    }
    const json& components = root.at("components");
    for (const char* name : {"vbRuntime", "vbScript", "activeBar2", "gridEx20", "msxml"}) {
        EXPECT_TRUE(components.contains(name)) << name;
    }
    EXPECT_EQ(components.at("activeBar2"), nullptr);

    ASSERT_EQ(root.at("repairs").size(), 1u);
    const json& repair = root["repairs"][0];
    EXPECT_EQ(repair.at("component"), "jet");
    ASSERT_EQ(repair.at("files").size(), kJetCount);
    const json& engine = repair["files"][0];
    EXPECT_EQ(engine, (json{{"name", "msjet40.dll"}, {"path", Utf8(machine.jet().Path(0))}, {"outcome", "registered"},
                            {"error", nullptr}, {"hresult", "0x00000000"}, {"message", nullptr}}));
    const json& denied = repair["files"][1];
    EXPECT_EQ(denied.at("outcome"), "callFailed");
    EXPECT_EQ(denied.at("hresult"), "0x80070005");
    EXPECT_EQ(denied.at("error"), nullptr);
    EXPECT_NE(denied.at("message").get<std::string>().find("0x80070005"), std::string::npos);
    EXPECT_EQ(repair["files"][2].at("outcome"), "entryPointMissing");
    EXPECT_EQ(repair["files"][3].at("outcome"), "skipped");
    EXPECT_EQ(repair["files"][3].at("path"), nullptr);
}

TEST(JsonWriter, NumbersAndNesting) {
    JsonWriter writer;
    writer.BeginArray();
    for (const long long value : {0LL, -1LL, 4294967295LL, -9223372036854775807LL - 1}) writer.Number(value);
    writer.BeginObject();
    writer.EndObject();
    writer.EndArray();
    EXPECT_EQ(ParseJson(writer.Text()), ParseJson("[0, -1, 4294967295, -9223372036854775808, {}]"));
}

TEST(JsonReport, EscapesWhatJsonMustEscape) {
    Report report;
    report.computer = std::wstring(L"a\"b\\c\nd\te\x01") + L"\u00e4\u20ac" + L"\xD83D\xDE00" + L"\xD800";
    const json root = ParseJson(ReportJson(report, UserTextLanguage()));
    // A lone surrogate cannot be written as UTF-8 and becomes the replacement character.
    EXPECT_EQ(root.at("computer"), "a\"b\\c\nd\te\x01\u00e4\u20ac\U0001F600\uFFFD");
    EXPECT_EQ(root.at("repairs"), json::array());
}

TEST(TextReport, ShowsEveryPageWithAlignedFileTablesAndTheRepairs) {
    const FixtureMachine machine;
    const std::wstring text = ReportText(MakeFixtureReport());
    ExpectInOrder(text, {L"QNRepair 1.10.0043\r\n", L"Date: ", L"Computer: " + ComputerName() + L"\r\n",
                         L"MDAC\r\n", L"According Windows Registry installed MDAC Version: 2.81.1117.0",
                         L"Available MDAC System files:", L"JET\r\n", L"Installed version of MS Jet 4.0 database module: 4.0.8618",
                         L"Windows Settings\r\n", L"Windows version: Windows 7", L"HTML Help Directory: Directory not available!",
                         L"Other Components\r\n", L"ActiveBar2: Not available", L"Repairs since the program started",
                         L"Re-register MS Jet 4.0"});
    // The newer installed MDAC hides the newest version, as on the page.
    EXPECT_FALSE(Contains(text, L"Currently at Microsoft available MDAC version"));
    if (!machine.foreignTemp().empty()) {
        EXPECT_TRUE(Contains(text, L"Temporary Files: " + machine.foreignTemp()));
    }

    // Each column starts where its header starts; paths are whole.
    const auto lineIn = [](const std::wstring& part, const std::wstring& start) {
        for (const std::wstring& l : SplitLines(part, L'\n')) {
            if (l.rfind(start, 0) == 0) return l;
        }
        return std::wstring();
    };
    const auto line = [&](const std::wstring& start) { return lineIn(text, start); };
    const std::wstring repairs = text.substr(text.find(L"Repairs since the program started"));
    const auto repairLine = [&](const std::wstring& start) { return lineIn(repairs, start); };
    const std::wstring header = line(L"  Dateiname");
    const std::wstring present = line(L"  MSADO15.DLL");
    const std::wstring versionless = line(L"  MSADER15.DLL");
    ASSERT_FALSE(header.empty());
    EXPECT_EQ(present.find(L"2.80.1022"), header.find(L"Dateiversion"));
    EXPECT_EQ(present.find(machine.mdac().Path(0)), header.find(L"Pfad"));
    EXPECT_EQ(versionless.find(L"N/A"), header.find(L"Dateiversion"));
    EXPECT_EQ(versionless.find(machine.mdac().Path(1)), header.find(L"Pfad"));
    EXPECT_EQ(line(L"  MSADOR15.DLL").find(L"Not found"), header.find(L"Pfad"));

    EXPECT_TRUE(Contains(repairLine(L"  msjet40.dll  "), machine.jet().Path(0)));
    EXPECT_TRUE(Contains(repairLine(L"  msjet40.dll  "), L"registered"));
    EXPECT_TRUE(Contains(repairLine(L"  msjtes40.dll  "), L"DllRegisterServer failed with error code 0x80070005."));
    EXPECT_TRUE(Contains(repairLine(L"  msjetoledb40.dll  "), L"The entry point DllRegisterServer was not found."));
    EXPECT_TRUE(Contains(repairLine(L"  mswstr10.dll  "), L"Not found"));
    EXPECT_TRUE(Contains(repairLine(L"  mswstr10.dll  "), L"skipped"));
}

TEST(TextReport, GermanUserReadsGermanCaptionsAndOutcomes) {
    const FixtureMachine machine;
    const std::wstring text = ReportText(MakeFixtureReport());
    ExpectInOrder(text, {L"Datum: ", L"Computer: ", L"Laut Systemregistrierung installierte MDAC-Version: 2.81.1117.0",
                         L"Windows-Einstellungen\r\n", L"Benutzer-Spracheinstellung: 1031", L"Weitere Komponenten\r\n",
                         L"ActiveBar2: Nicht vorhanden", L"Reparaturen seit Programmstart", L"MS Jet 4.0 neu registrieren",
                         L"registriert", L"DllRegisterServer ist mit dem Fehlercode 0x80070005 fehlgeschlagen.",
                         L"übersprungen"});
    const json root = ParseJson(ReportJson(MakeFixtureReport(), UserTextLanguage()));
    EXPECT_EQ(root["windows"]["userLanguage"], 1031);
    EXPECT_NE(root["repairs"][0]["files"][1]["message"].get<std::string>().find("Fehlercode"), std::string::npos);
}
