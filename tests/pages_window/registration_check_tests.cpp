// Checking registrations from the real window: the system menu item and the lists' fourth column.
#include <windows.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"
#include "ReportHelpers.h"
#include "app/WindowMessages.h"
#include "repair/RegistryBackup.h"
#include "repair/modDLLRegister.h"
#include "support/ChildProcess.h"

using namespace qn;
using namespace qn::test;

namespace {

std::wstring MenuText(HWND window, UINT command) {
    WCHAR text[128] = {};
    ::GetMenuStringW(::GetSystemMenu(window, FALSE), command, text, 128, MF_BYCOMMAND);
    return text;
}

std::wstring ColumnHeader(HWND list, int column) {
    WCHAR text[128] = {};
    LVCOLUMNW header{};
    header.mask = LVCF_TEXT;
    header.pszText = text;
    header.cchTextMax = 128;
    ::SendMessageW(list, LVM_GETCOLUMNW, column, reinterpret_cast<LPARAM>(&header));
    return text;
}

struct FixtureRegistration {
    ~FixtureRegistration() { RemoveFixtureRegistration(); }
};

}  // namespace

TEST(RegistrationCheck, SystemMenuCheckFillsTheRegistrationColumnOfBothLists) {
    Placement placement(kMdacCount, L"");
    placement[0] = L"fx_reg_writes";  // MSADO15.DLL, registered below
    placement[1] = L"fx_reg_writes";  // MSADER15.DLL: listed only, never checked
    placement[3] = L"fx_reg_denied";  // MSADRH15.DLL
    const ScopedComponents mdac = ScopedComponents::Mdac(placement);
    const ScopedComponents jet = ScopedComponents::Jet({L"fx_reg_writes", L"", L"", L"", L"", L""});
    const FixtureRegistration cleanup;
    ASSERT_EQ(RegisterComponent(mdac.Path(0)).outcome, RegistrationOutcome::Registered);
    FormDriver window;
    window.ChooseTab(1);
    EXPECT_EQ(MenuText(window.hwnd(), kSysCmdCheckRegistrations), L"Check registrations");
    EXPECT_EQ(ColumnHeader(window.control(Ctl::lvwJetFiles), 3), L"Registration");
    EXPECT_EQ(window.Column(Ctl::lvwMDACFiles, 3)[0], L"");

    ::SendMessageW(window.hwnd(), WM_SYSCOMMAND, kSysCmdCheckRegistrations, 0);

    const std::vector<std::wstring> mdacCells = window.Column(Ctl::lvwMDACFiles, 3);
    ASSERT_EQ(mdacCells.size(), kMdacCount);
    EXPECT_EQ(mdacCells[0], L"OK (8 entries)");
    EXPECT_EQ(mdacCells[1], L"");
    EXPECT_EQ(mdacCells[2], L"");  // missing
    EXPECT_EQ(mdacCells[3], L"DllRegisterServer failed with error code 0x80070005. Access denied.");
    // The same fixture in the system folder: its class names the MDAC copy as its server.
    EXPECT_EQ(window.Column(Ctl::lvwJetFiles, 3)[0],
              L"0 missing, 1 different; Different: HKEY_CLASSES_ROOT\\" + std::wstring(kFixtureServerKey) + L" @ is " +
                  mdac.Path(0) + L" instead of " + jet.Path(0));
    EXPECT_EQ(window.form().Registrations().size(), 3u);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST(RegistrationCheck, GermanUserSeesGermanMenuAndColumn) {
    FormDriver window;
    EXPECT_EQ(MenuText(window.hwnd(), kSysCmdCheckRegistrations), L"Registrierungen prüfen");
    EXPECT_EQ(ColumnHeader(window.control(Ctl::lvwMDACFiles), 3), L"Registrierung");
}

namespace {

DWORD RunProgram(const std::wstring& arguments) {
    ChildProcess program(ProgramPath(), L"", std::vector<std::pair<std::wstring, std::wstring>>{}, arguments);
    return program.WaitForExit(60000);
}

}  // namespace

TEST(RegistrationCommands, CheckExitsZeroOnlyWhenAllIsRegisteredAndRestoreUndoesARepair) {
    Placement placement(kMdacCount, L"");
    placement[0] = L"fx_reg_writes";
    const ScopedComponents mdac = ScopedComponents::Mdac(placement);
    const ScopedComponents jet = ScopedComponents::Jet(Placement(kJetCount, L""));
    const FixtureRegistration cleanup;
    const TempDir dir;
    const std::wstring json = dir.path() + L"\\check.json";
    const std::wstring report = dir.path() + L"\\check.txt";

    // Not yet registered: all is missing but the keys CLSID and Software, which every machine has.
    EXPECT_EQ(RunProgram(L"/check /json \"" + json + L"\" -Report \"" + report + L"\""), 4u);
    const nlohmann::json found = ParseJson(ReadBytes(json));
    const nlohmann::json& checked = found["mdac"]["files"][0];
    EXPECT_EQ(checked["name"], "MSADO15.DLL");
    EXPECT_EQ(checked["registration"]["expected"], 8);
    EXPECT_EQ(checked["registration"]["missing"], 6);
    EXPECT_EQ(checked["registration"]["different"], 0);
    EXPECT_EQ(checked["registration"]["differences"][0]["key"],
              "HKEY_CLASSES_ROOT\\CLSID\\{6A1F3C52-8E4D-4B7A-9C21-3D5E7F9A0B14}");
    EXPECT_TRUE(checked["registration"]["differences"][0]["value"].is_null());
    EXPECT_TRUE(checked["registration"]["differences"][0]["actual"].is_null());
    EXPECT_TRUE(checked["registration"]["error"].is_null());
    // Listed only: never checked.
    EXPECT_EQ(found["mdac"]["files"][1]["name"], "MSADER15.DLL");
    EXPECT_TRUE(found["mdac"]["files"][1]["registration"].is_null());
    EXPECT_NE(ReadBytes(report).find("6 missing, 0 different\r\n    Missing: HKEY_CLASSES_ROOT\\CLSID"), std::string::npos);

    // The repair's backup, then the repair; the check is content; restoring the backup takes
    // the registration away again.
    CaptureHost host(ProgramPath());
    const std::optional<std::wstring> backup = BackUpRegistrations(host, {mdac.Path(0)}, {}, dir.path());
    ASSERT_TRUE(backup);
    ASSERT_EQ(RegisterComponent(mdac.Path(0)).outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(RunProgram(L"/check"), 0u);
    EXPECT_EQ(RunProgram(L"/restore \"" + *backup + L"\""), 0u);
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kFixtureProgIdKey));
    // A repair and a check in one run: the check compares what the repair's backup captured.
    EXPECT_EQ(RunProgram(L"/repair mdac /check /json \"" + json + L"\""), 0u);
    const nlohmann::json repaired = ParseJson(ReadBytes(json))["mdac"]["files"][0]["registration"];
    EXPECT_EQ(repaired["expected"], 8);
    EXPECT_EQ(repaired["missing"], 0);
    EXPECT_EQ(repaired["different"], 0);
    EXPECT_EQ(RunProgram(L"/restore \"" + dir.path() + L"\\none.reg\""), 2u);
    EXPECT_EQ(RunProgram(L"/check /json"), 2u);
}
