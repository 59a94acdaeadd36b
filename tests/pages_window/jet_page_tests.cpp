// The Jet 4.0 page in the real window: the engine's version beside the newest, and the 6 files.
#include <windows.h>
#include <gtest/gtest.h>

#include "Components.h"
#include "support/FormDriver.h"

using namespace qn;
using namespace qn::test;

namespace {

constexpr int kJetTab = 1;

Placement JetWithEngine(const wchar_t* engine) {
    Placement placement(kJetCount, L"fx_reg_ok");
    placement[0] = engine;
    return placement;
}

}  // namespace

TEST(JetPageWindow, EngineVersionInLabelAndFirstRowAndMissingFilesKeepTheirPlace) {
    Placement placement = JetWithEngine(L"fx_ver_4_0_8618_0");
    placement[3] = L"";  // mswstr10.dll
    ScopedComponents files = ScopedComponents::Jet(placement);
    FormDriver window;
    window.ChooseTab(kJetTab);

    EXPECT_TRUE(window.Visible(Ctl::picJET));
    EXPECT_EQ(window.Text(Ctl::Label24), L"4.0.8618");
    EXPECT_EQ(window.Text(Ctl::Label25), L"Installed version of MS Jet 4.0 database module:");
    EXPECT_EQ(window.Text(Ctl::Label23), L"Currently at Microsoft available version for MS Jet 4.0:");
    EXPECT_EQ(window.Text(Ctl::Command3), L"Re-register MS Jet 4.0");
    EXPECT_EQ(window.Text(Ctl::Label9), L"Available Jet 4.0 System Files:");
    const std::wstring system = SystemFolder();
    std::vector<Row> expected = {
        {L"msjet40.dll", L"4.0.8618", system + L"\\msjet40.dll"},
        {L"msjtes40.dll", L"2.80.1022", system + L"\\msjtes40.dll"},
        {L"msjetoledb40.dll", L"2.80.1022", system + L"\\msjetoledb40.dll"},
        {L"mswstr10.dll", L"N/A", L"Not found"},
        {L"msjint40.dll", L"2.80.1022", system + L"\\msjint40.dll"},
        {L"msjter40.dll", L"2.80.1022", system + L"\\msjter40.dll"},
    };
    EXPECT_EQ(window.Rows(Ctl::lvwJetFiles), expected);

    // Coming back analyses the page anew from an empty list: the engine was updated and
    // msjtes40.dll removed meanwhile.
    files.Place(0, L"fx_ver_4_0_9025_0");
    files.Remove(1);
    window.ChooseTab(0);
    window.ChooseTab(kJetTab);
    EXPECT_EQ(window.Text(Ctl::Label24), L"4.0.9025");
    expected[0].version = L"4.0.9025";
    expected[1] = {L"msjtes40.dll", L"N/A", L"Not found"};
    EXPECT_EQ(window.Rows(Ctl::lvwJetFiles), expected);
}

TEST(JetPageWindow, NewerEngineLeavesTheNewestVersionAndLinkAsTheyAre) {
    const ScopedComponents files = ScopedComponents::Jet(JetWithEngine(L"fx_ver_4_0_9025_0"));
    FormDriver window;
    window.ChooseTab(kJetTab);
    EXPECT_EQ(window.Text(Ctl::Label24), L"4.0.9025");
    EXPECT_EQ(window.Text(Ctl::Label10), L"4.0.8618");
    EXPECT_TRUE(window.Visible(Ctl::Label10));
    EXPECT_TRUE(window.Visible(Ctl::Label23));
    EXPECT_EQ(window.Rows(Ctl::lvwJetFiles).at(0).version, L"4.0.9025");
}

TEST(JetPageWindow, MissingEngineIsNotAvailable) {
    const ScopedComponents files = ScopedComponents::Jet(Placement(kJetCount));
    FormDriver window;
    window.ChooseTab(kJetTab);
    EXPECT_EQ(window.Text(Ctl::Label24), L"Not available");
    const std::vector<Row> rows = window.Rows(Ctl::lvwJetFiles);
    ASSERT_EQ(rows.size(), kJetCount);
    EXPECT_EQ(rows[0], (Row{L"msjet40.dll", L"N/A", L"Not found"}));
    EXPECT_EQ(rows[5], (Row{L"msjter40.dll", L"N/A", L"Not found"}));
    EXPECT_TRUE(window.Visible(Ctl::Label23));
}

TEST(JetPageWindow, GermanUserReadsGermanCaptions) {
    const ScopedComponents files = ScopedComponents::Jet(Placement(kJetCount));
    FormDriver window;
    window.ChooseTab(kJetTab);
    EXPECT_EQ(window.Text(Ctl::Label24), L"Nicht vorhanden");
    EXPECT_EQ(window.Text(Ctl::Label9), L"Vorhandene Jet 4.0-Systemdateien");
    EXPECT_EQ(window.Text(Ctl::Command3), L"MS Jet 4.0 neu registrieren");
    // The list's fixed texts are not translated.
    EXPECT_EQ(window.Rows(Ctl::lvwJetFiles).at(0), (Row{L"msjet40.dll", L"N/A", L"Not found"}));
}
