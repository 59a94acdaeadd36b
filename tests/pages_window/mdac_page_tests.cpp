// The MDAC page in the real window: the installed version against the newest, and the 28 files.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>

#include "Components.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

// Leaves the page and comes back to it, which analyses it anew.
void RevisitMdacTab(FormDriver& window) {
    window.ChooseTab(1);
    window.ChooseTab(0);
}

bool NewestVersionShown(const FormDriver& window) {
    return window.Visible(Ctl::Label19) && window.Visible(Ctl::Label21);
}

std::vector<std::wstring> Column(const std::vector<Row>& rows, std::wstring Row::*cell) {
    std::vector<std::wstring> cells;
    for (const Row& row : rows) cells.push_back(row.*cell);
    return cells;
}

}  // namespace

TEST(MdacPageWindow, NewerInstalledVersionHidesLinkAndNewestForTheRestOfTheRun) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount));
    const ScopedRegValue newer = InstalledMdac(L"2.81.1117.0");
    FormDriver window;
    EXPECT_EQ(window.Text(Ctl::Label8), L"2.81.1117.0");
    EXPECT_FALSE(window.Visible(Ctl::Label19));
    EXPECT_FALSE(window.Visible(Ctl::Label21));

    const ScopedRegValue older = InstalledMdac(L"2.71.9030.0");
    RevisitMdacTab(window);
    EXPECT_EQ(window.Text(Ctl::Label8), L"2.71.9030.0");
    EXPECT_FALSE(window.Visible(Ctl::Label19));
    EXPECT_FALSE(window.Visible(Ctl::Label21));
}

TEST(MdacPageWindow, DottedVersionsCompareAsNumbersOtherTextsAsText) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount));
    // Each hides the link for good, so each needs a window of its own.
    for (const wchar_t* newer : {L"10.0.0.0", L"2.80.1022.10", L"2.9 SP1"}) {
        const ScopedRegValue installed = InstalledMdac(newer);
        FormDriver window;
        EXPECT_EQ(window.Text(Ctl::Label8), newer);
        EXPECT_FALSE(window.Visible(Ctl::Label19)) << Narrow(newer);
        EXPECT_FALSE(window.Visible(Ctl::Label21)) << Narrow(newer);
    }
}

TEST(MdacPageWindow, OlderEqualOrMissingVersionKeepsTheLink) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount));
    const ScopedRegValue missing = InstalledMdac(std::nullopt);
    FormDriver window;
    EXPECT_EQ(window.Text(Ctl::Label8), L"");
    EXPECT_TRUE(NewestVersionShown(window));
    EXPECT_EQ(window.Text(Ctl::Label19), L"Currently at Microsoft available MDAC version:");
    EXPECT_EQ(window.Text(Ctl::Label21), L"2.80.1022.3");

    for (const wchar_t* notNewer : {L"2.8", L"2.80.1022.3", L"2.71.9030.0", L"2.9", L"2.80.1022", L" 2.90"}) {
        const ScopedRegValue installed = InstalledMdac(notNewer);
        RevisitMdacTab(window);
        EXPECT_EQ(window.Text(Ctl::Label8), notNewer);
        EXPECT_TRUE(NewestVersionShown(window)) << Narrow(notNewer);
        EXPECT_EQ(window.Text(Ctl::Label19), L"Currently at Microsoft available MDAC version:");
    }
}

TEST(MdacPageWindow, ListsTheTwentyEightFilesInOrderWithMissingOnesInPlace) {
    Placement placement(kMdacCount, L"fx_reg_ok");
    placement[0] = L"";                     // first
    placement[13] = L"fx_no_version";       // present, but nothing to read
    placement[16] = L"fx_ver_2_0_50727_42";
    placement[27] = L"";                    // last
    ScopedComponents files = ScopedComponents::Mdac(placement);
    FormDriver window;

    const std::wstring folder = CommonFilesFolder();
    std::vector<Row> expected;
    for (size_t i = 0; i < kMdacCount; ++i) {
        const std::wstring path = folder + kMdacRows[i].relativePath;
        const std::wstring name = path.substr(path.rfind(L'\\') + 1);
        if (placement[i].empty() || placement[i] == L"fx_no_version") {
            expected.push_back({name, L"N/A", L"Not found"});
        } else {
            expected.push_back({name, placement[i] == L"fx_reg_ok" ? L"2.80.1022" : L"2.0.50727", path});
        }
    }
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles), expected);
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles)[1].name, L"MSADER15.DLL");  // listed though never registered
    EXPECT_EQ(window.Text(Ctl::Label7), L"According Windows Registry installed MDAC Version:");
    EXPECT_EQ(window.Text(Ctl::Label22), L"Available MDAC System files:");
    EXPECT_EQ(window.Text(Ctl::Command1), L"Re-register MDAC");

    // A visit that finds every file as it was leaves the list alone, the user's selection too.
    const HWND list = window.form().Control(Ctl::lvwMDACFiles);
    ListView_SetItemState(list, 3, LVIS_SELECTED, LVIS_SELECTED);
    RevisitMdacTab(window);
    EXPECT_EQ(ListView_GetSelectedCount(list), 1u);
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles), expected);

    // Every visit looks at the files anew, and a change fills the list from empty: the first
    // file was installed meanwhile, MSDAPRST.DLL removed.
    files.Place(0, L"fx_ver_4_0_8618_0");
    files.Remove(16);
    RevisitMdacTab(window);
    expected[0] = {L"MSADO15.DLL", L"4.0.8618", files.Path(0)};
    expected[16] = {L"MSDAPRST.DLL", L"N/A", L"Not found"};
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles), expected);
    EXPECT_EQ(ListView_GetSelectedCount(list), 0u);
    window.form().FillMDACPage();
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles).size(), kMdacCount);
}

TEST(MdacPageWindow, VersionHeaderSortsAscendingAsTextOnEveryClick) {
    Placement placement(kMdacCount);
    placement[0] = L"fx_ver_4_0_8618_0";
    placement[5] = L"fx_ver_10_1_0_0";
    placement[17] = L"fx_reg_ok";
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    FormDriver window;

    window.ClickColumn(Ctl::lvwMDACFiles, 1);
    const std::vector<Row> sorted = window.Rows(Ctl::lvwMDACFiles);
    ASSERT_EQ(sorted.size(), kMdacCount);
    const std::vector<std::wstring> versions = Column(sorted, &Row::version);
    EXPECT_EQ(std::vector<std::wstring>(versions.begin(), versions.begin() + 3),
              (std::vector<std::wstring>{L"10.1.0", L"2.80.1022", L"4.0.8618"}));
    EXPECT_EQ(std::vector<std::wstring>(versions.begin() + 3, versions.end()),
              std::vector<std::wstring>(kMdacCount - 3, L"N/A"));
    EXPECT_EQ(sorted[0].name, L"MSADOX.DLL");
    EXPECT_EQ(sorted[2].name, L"MSADO15.DLL");

    // A second click does not reverse the order.
    window.ClickColumn(Ctl::lvwMDACFiles, 1);
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles), sorted);

    // Analysing the page anew keeps one row per file, still in the chosen order.
    RevisitMdacTab(window);
    const std::vector<Row> refilled = window.Rows(Ctl::lvwMDACFiles);
    ASSERT_EQ(refilled.size(), kMdacCount);
    EXPECT_EQ(Column(refilled, &Row::version), versions);
}
