// What the user can do while a repair lets the window's messages run: close it, change pages,
// start the other repair.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "RepairHelpers.h"

using namespace qn;
using namespace qn::test;

namespace {

constexpr int kMdacTab = 0;
constexpr int kJetTab = 1;

void PostTabChoice(const FormDriver& window, int tab) {
    ::PostMessageW(window.control(Ctl::TabStrip1), TCM_SETCURFOCUS, static_cast<WPARAM>(tab), 0);
}

void PostClick(const FormDriver& window, Ctl button) { ::PostMessageW(window.control(button), BM_CLICK, 0, 0); }

std::vector<std::wstring> LongPaths(const ScopedComponents& files, std::initializer_list<size_t> indexes) {
    std::vector<std::wstring> paths;
    for (const size_t i : indexes) paths.push_back(LongPath(files.Path(i)));
    return paths;
}

void Append(std::vector<std::wstring>& to, const std::vector<std::wstring>& more) {
    to.insert(to.end(), more.begin(), more.end());
}

}  // namespace

TEST(RepairInterplay, ClosingTheWindowStopsTheMdacRepairAfterTheCurrentFile) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount, L"fx_reg_ok"));
    const RegistrationLog log;
    FormDriver window;
    int lastStep = 0;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int position) {
        lastStep = position;
        if (position == 5) ::PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    // Files 0 to 4 were handled; MSADER15.DLL (1) is never registered.
    EXPECT_EQ(lastStep, 5);
    EXPECT_EQ(log.LongCalls(), LongPaths(files, {0, 2, 3, 4}));
    for (size_t i = 0; i < kMdacCount; ++i) EXPECT_FALSE(IsLoaded(files.Path(i)));
    window.PumpUntil([&] { return window.form().IsClosed(); }, "the window closes");
}

TEST(RepairInterplay, ExitClickedDuringTheJetRepairClosesTheWindowAfterIt) {
    const ScopedComponents files = ScopedComponents::Jet(Placement(kJetCount, L"fx_reg_ok"));
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);
    const ProgressProbe probe(window.control(Ctl::ProgressBar3), [&](int position) {
        if (position == 1) PostClick(window, Ctl::cmdQuit);
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command3).empty());

    EXPECT_EQ(log.LongCalls(), LongPaths(files, {0}));
    window.PumpUntil([&] { return window.form().IsClosed(); }, "the window closes");
}

TEST(RepairInterplay, ClosingBeforeTheFirstFileRegistersNothing) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount, L"fx_reg_ok"));
    const RegistrationLog log;
    FormDriver window;
    ::PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());
    EXPECT_TRUE(log.Calls().empty());
    window.PumpUntil([&] { return window.form().IsClosed(); }, "the window closes");
}

TEST(RepairInterplay, PageVisitsDuringTheMdacRepairDoNotDisturbItsWalk) {
    const Placement placement(kMdacCount, L"fx_reg_ok");
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    const ScopedRegValue equal = InstalledMdac(L"2.80.1022.3");
    const RegistrationLog log;
    FormDriver window;
    std::vector<bool> linkDuring;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int position) {
        linkDuring.push_back(window.Visible(Ctl::Label19));
        if (position == 2) {
            // Analysing the MDAC page anew replaces the window's list while the repair walks it.
            PostTabChoice(window, kJetTab);
            PostTabChoice(window, kMdacTab);
        }
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    EXPECT_EQ(log.LongCalls(), ExpectedCalls(files, kMdacRows, placement));
    EXPECT_EQ(linkDuring, std::vector<bool>(kMdacCount, false));
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles).size(), kMdacCount);
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    EXPECT_TRUE(window.Visible(Ctl::Label19));
}

TEST(RepairInterplay, JetRepairStartedDuringTheMdacRepairRunsToItsEndFirst) {
    Placement mdac(kMdacCount);
    for (const size_t i : {0, 2, 3, 17, 26}) mdac[i] = L"fx_reg_ok";
    const ScopedComponents mdacFiles = ScopedComponents::Mdac(mdac);
    const ScopedComponents jetFiles = ScopedComponents::Jet(Placement(kJetCount, L"fx_reg_ok"));
    const RegistrationLog log;
    FormDriver window;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int position) {
        if (position == 3) {
            PostTabChoice(window, kJetTab);
            PostClick(window, Ctl::Command3);
        }
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    std::vector<std::wstring> expected = LongPaths(mdacFiles, {0, 2});
    Append(expected, LongPaths(jetFiles, {0, 1, 2}));
    Append(expected, LongPaths(mdacFiles, {3, 17, 26}));
    EXPECT_EQ(log.LongCalls(), expected);
    EXPECT_TRUE(window.Visible(Ctl::picJET));
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    ExpectRepairFinished(window, Ctl::Command3, Ctl::ProgressBar3);
    EXPECT_EQ(ReadProgress(window.control(Ctl::ProgressBar1)).position, 28);
    EXPECT_EQ(ReadProgress(window.control(Ctl::ProgressBar3)).position, 6);
}

TEST(RepairInterplay, MdacRepairStartedDuringTheJetRepairRunsToItsEndFirst) {
    Placement mdac(kMdacCount);
    for (const size_t i : {0, 26}) mdac[i] = L"fx_reg_ok";
    const ScopedComponents mdacFiles = ScopedComponents::Mdac(mdac);
    const ScopedComponents jetFiles = ScopedComponents::Jet(Placement(kJetCount, L"fx_reg_ok"));
    const ScopedRegValue equal = InstalledMdac(L"2.80.1022.3");
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);
    const ProgressProbe probe(window.control(Ctl::ProgressBar3), [&](int position) {
        if (position == 1) {
            PostTabChoice(window, kMdacTab);
            PostClick(window, Ctl::Command1);
        }
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command3).empty());

    std::vector<std::wstring> expected = LongPaths(jetFiles, {0});
    Append(expected, LongPaths(mdacFiles, {0, 26}));
    Append(expected, LongPaths(jetFiles, {1, 2}));
    EXPECT_EQ(log.LongCalls(), expected);
    EXPECT_TRUE(window.Visible(Ctl::picMDAC));
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    ExpectRepairFinished(window, Ctl::Command3, Ctl::ProgressBar3);
    EXPECT_TRUE(window.Visible(Ctl::Label19));
}
