// What the user can do while a repair lets the window's messages run: close it, change pages;
// not start the other repair.
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

}  // namespace

TEST(RepairInterplay, ClosingTheWindowStopsTheMdacRepairAfterTheCurrentFileAndItsFailuresAreShown) {
    Placement placement(kMdacCount, L"fx_reg_ok");
    placement[0] = L"fx_reg_denied";
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    const RegistrationLog log;
    FormDriver window;
    int lastStep = 0;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int position) {
        lastStep = position;
        if (position == 5) ::PostMessageW(window.hwnd(), WM_CLOSE, 0, 0);
    });

    const std::vector<SeenMessageBox> boxes = ClickAndConfirm(window, Ctl::Command1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_TRUE(Contains(boxes[0].text, files.Path(0)));

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

TEST(RepairInterplay, PageVisitFindingANewerMdacKeepsTheLinkHiddenAfterTheRepair) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount, L"fx_reg_ok"));
    const ScopedRegValue installed = InstalledMdac(L"2.80.1022.3");
    FormDriver window;
    ASSERT_TRUE(window.Visible(Ctl::Label19));
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int position) {
        if (position == 2) {
            WriteString(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\DataAccess", L"FullInstallVer", L"2.81.1117.0");
            PostTabChoice(window, kJetTab);
            PostTabChoice(window, kMdacTab);
        }
    });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    EXPECT_EQ(window.Text(Ctl::Label8), L"2.81.1117.0");
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    EXPECT_FALSE(window.Visible(Ctl::Label19));
    EXPECT_FALSE(window.Visible(Ctl::Label21));
}

namespace {

// While one repair runs, the other page's repair button is disabled: a click on it, Enter or
// Space do nothing, and both buttons are back when the repair ends.
void ExpectOtherRepairCannotStart(FormDriver& window, Ctl running, Ctl bar, Ctl other, int otherTab) {
    std::vector<bool> enabledDuring;
    const ProgressProbe probe(window.control(bar), [&](int position) {
        enabledDuring.push_back(::IsWindowEnabled(window.control(running)) || ::IsWindowEnabled(window.control(other)));
        if (position == 1) {
            PostTabChoice(window, otherTab);
            PostClick(window, other);
            for (const WPARAM key : {VK_RETURN, VK_SPACE}) {
                ::PostMessageW(window.control(other), WM_KEYDOWN, key, 0);
                ::PostMessageW(window.control(other), WM_KEYUP, key, 0);
            }
        }
    });
    EXPECT_TRUE(ClickAndConfirm(window, running).empty());
    EXPECT_EQ(enabledDuring, std::vector<bool>(enabledDuring.size(), false));
    for (const Ctl button : {running, other}) {
        EXPECT_TRUE(window.Visible(button));
        EXPECT_TRUE(::IsWindowEnabled(window.control(button)));
    }
    EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_ARROW));
}

}  // namespace

TEST(RepairInterplay, JetRepairCannotStartDuringTheMdacRepair) {
    Placement mdac(kMdacCount);
    for (const size_t i : {0, 2, 3, 17, 26}) mdac[i] = L"fx_reg_ok";
    const ScopedComponents mdacFiles = ScopedComponents::Mdac(mdac);
    const ScopedComponents jetFiles = ScopedComponents::Jet(Placement(kJetCount, L"fx_reg_ok"));
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);
    window.ChooseTab(kMdacTab);

    ExpectOtherRepairCannotStart(window, Ctl::Command1, Ctl::ProgressBar1, Ctl::Command3, kJetTab);

    EXPECT_EQ(log.LongCalls(), LongPaths(mdacFiles, {0, 2, 3, 17, 26}));
    EXPECT_TRUE(window.Visible(Ctl::picJET));
    EXPECT_EQ(ReadProgress(window.control(Ctl::ProgressBar3)).position, 0);
}

TEST(RepairInterplay, MdacRepairCannotStartDuringTheJetRepair) {
    Placement mdac(kMdacCount);
    for (const size_t i : {0, 26}) mdac[i] = L"fx_reg_ok";
    const ScopedComponents mdacFiles = ScopedComponents::Mdac(mdac);
    const ScopedComponents jetFiles = ScopedComponents::Jet(Placement(kJetCount, L"fx_reg_ok"));
    const ScopedRegValue equal = InstalledMdac(L"2.80.1022.3");
    const RegistrationLog log;
    FormDriver window;
    window.ChooseTab(kJetTab);

    ExpectOtherRepairCannotStart(window, Ctl::Command3, Ctl::ProgressBar3, Ctl::Command1, kMdacTab);

    EXPECT_EQ(log.LongCalls(), LongPaths(jetFiles, {0, 1, 2}));
    EXPECT_TRUE(window.Visible(Ctl::picMDAC));
    EXPECT_EQ(ReadProgress(window.control(Ctl::ProgressBar1)).position, 0);
    EXPECT_TRUE(window.Visible(Ctl::Label19));
}
