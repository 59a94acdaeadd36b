// Checking registrations from the real window: the system menu item and the lists' fourth column.
#include <windows.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"
#include "app/WindowMessages.h"
#include "repair/modDLLRegister.h"

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
    EXPECT_EQ(window.form().RegistrationChecks().size(), 3u);
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

TEST(RegistrationCheck, GermanUserSeesGermanMenuAndColumn) {
    FormDriver window;
    EXPECT_EQ(MenuText(window.hwnd(), kSysCmdCheckRegistrations), L"Registrierungen prüfen");
    EXPECT_EQ(ColumnHeader(window.control(Ctl::lvwMDACFiles), 3), L"Registrierung");
}
