// Switching pages with the tab strip on the real window: by mouse, by keyboard, and the timer
// that a mouse press arms as a second chance.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>

#include "SystemFiles.h"
#include "UserInput.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

constexpr wchar_t kUntouched[] = L"untouched since the switch";

// The one page shown for `tab` (0-based), or a message naming every page that is not as it
// should be.
::testing::AssertionResult OnlyPageShown(const FormDriver& window, int tab) {
    ::testing::AssertionResult result = ::testing::AssertionSuccess();
    bool good = true;
    for (int i = 0; i < 4; ++i) {
        const bool visible = window.Visible(kTabPages[i]);
        if (visible != (i == tab)) {
            if (good) result = ::testing::AssertionFailure() << "after choosing tab " << tab << ":";
            good = false;
            result << " page of tab " << i << (visible ? " visible" : " hidden");
        }
    }
    return result;
}

HWND Tabs(const FormDriver& window) { return window.control(Ctl::TabStrip1); }

int SelectedTab(const FormDriver& window) {
    return static_cast<int>(::SendMessageW(Tabs(window), TCM_GETCURSEL, 0, 0));
}

LPARAM MiddleOfTab(const FormDriver& window, int tab) {
    RECT item{};
    ::SendMessageW(Tabs(window), TCM_GETITEMRECT, static_cast<WPARAM>(tab), reinterpret_cast<LPARAM>(&item));
    return MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
}

void PressOnTab(const FormDriver& window, int tab) {
    ::SendMessageW(Tabs(window), WM_LBUTTONDOWN, MK_LBUTTON, MiddleOfTab(window, tab));
}

void ReleaseOnTab(const FormDriver& window, int tab) {
    ::SendMessageW(Tabs(window), WM_LBUTTONUP, 0, MiddleOfTab(window, tab));
}

// The tab strip's timer (4 ms) ticks once after a press and stops itself.
void TimerRunsOut(FormDriver& window) {
    window.PumpUntil([&] { return !window.form().State().TabTimerEnabled; }, "the tab timer stops");
}

}  // namespace

TEST(Navigation, EveryMouseSwitchShowsOnePageAndFocusesExit) {
    FormDriver window;
    for (const int tab : {1, 2, 0, 3, 2, 1, 3, 0, 2}) {
        window.ClickTab(tab);
        TimerRunsOut(window);
        EXPECT_TRUE(OnlyPageShown(window, tab));
        EXPECT_EQ(window.form().State().lLastTabFocus, tab);
        EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit)) << "after choosing tab " << tab;
    }
}

TEST(Navigation, EveryKeyboardSwitchShowsOnePageAndFocusesExit) {
    FormDriver window;
    for (const int tab : {3, 0, 2, 1, 0}) {
        ::SetFocus(window.control(Ctl::cmdAbout));  // wherever the user had gone
        window.ChooseTab(tab);
        EXPECT_TRUE(OnlyPageShown(window, tab));
        EXPECT_EQ(SelectedTab(window), tab);
        EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit)) << "after choosing tab " << tab;
        EXPECT_FALSE(window.form().State().TabTimerEnabled) << "a change without a press arms nothing";
    }
}

TEST(Navigation, MousePressAndClickAnalyseThePageOnce) {
    FormDriver window;
    ASSERT_TRUE(window.form().State().JetFiles.empty());

    // The tab control switches on the press; the page is analysed inside it.
    PressOnTab(window, 1);
    EXPECT_TRUE(OnlyPageShown(window, 1));
    EXPECT_EQ(window.form().State().JetFiles.size(), 6u);
    EXPECT_EQ(window.Text(Ctl::Label25), L"Installed version of MS Jet 4.0 database module:");
    EXPECT_TRUE(window.form().State().TabTimerEnabled);

    // Neither the click on release nor the timer's tick may analyse it again.
    ::SetWindowTextW(window.control(Ctl::Label25), kUntouched);
    ::SetWindowTextW(window.control(Ctl::Label24), kUntouched);
    ReleaseOnTab(window, 1);
    TimerRunsOut(window);
    EXPECT_EQ(window.Text(Ctl::Label25), kUntouched);
    EXPECT_EQ(window.Text(Ctl::Label24), kUntouched);
    EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit));
}

TEST(Navigation, MdacTabRightAfterStartChangesNothing) {
    FormDriver window;
    ::SetWindowTextW(window.control(Ctl::Label7), kUntouched);
    window.ClickTab(0);
    TimerRunsOut(window);
    EXPECT_EQ(window.Text(Ctl::Label7), kUntouched);
    EXPECT_EQ(window.form().State().lLastTabFocus, 0);
    EXPECT_FALSE(window.form().State().TabTimerEnabled);
    // No switch took place, so the components page still lies beneath the MDAC page.
    EXPECT_TRUE(window.Visible(Ctl::picMDAC));
    EXPECT_TRUE(window.Visible(Ctl::picComponents));
}

TEST(Navigation, PressWithoutChangeArmsTimerWhoseTickDoesNothing) {
    ScopedAbsence noBar(SystemFile(L"actbar2.ocx"));
    FormDriver window;
    window.ChooseTab(3);
    ASSERT_EQ(window.Text(Ctl::Label34), L"Not available");
    ScopedFile bar(SystemFile(L"actbar2.ocx"), FixturePath(L"fx_ver_5_1_2600_2180"));

    // On the selected tab, and on the strip's empty area right of the last tab.
    RECT lastTab{};
    ::SendMessageW(Tabs(window), TCM_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&lastTab));
    const LPARAM emptyArea = MAKELPARAM(lastTab.right + 20, (lastTab.top + lastTab.bottom) / 2);
    for (const LPARAM at : {MiddleOfTab(window, 3), emptyArea}) {
        ::SendMessageW(Tabs(window), WM_LBUTTONDOWN, MK_LBUTTON, at);
        EXPECT_TRUE(window.form().State().TabTimerEnabled);
        const HWND focus = window.Focus();
        ::SendMessageW(Tabs(window), WM_LBUTTONUP, 0, at);
        TimerRunsOut(window);
        EXPECT_EQ(window.Focus(), focus);
        EXPECT_EQ(SelectedTab(window), 3);
        EXPECT_EQ(window.Text(Ctl::Label34), L"Not available") << "the page was analysed again";
    }

    // Coming back to the page analyses it anew.
    window.ChooseTab(0);
    window.ChooseTab(3);
    EXPECT_EQ(window.Text(Ctl::Label34), L"5.1.2600 (Build 2180)");
}

TEST(Navigation, TimerAfterPressCatchesChangeTheStripDidNotReport) {
    FormDriver window;
    window.ClickTab(0);  // arms the timer without a change
    // A selection made without a notification: only the tick can notice it.
    ::SendMessageW(Tabs(window), TCM_SETCURSEL, 2, 0);
    ASSERT_EQ(::SendMessageW(Tabs(window), TCM_GETCURFOCUS, 0, 0), 2);
    EXPECT_FALSE(window.Visible(Ctl::picWindows));
    TimerRunsOut(window);
    EXPECT_TRUE(OnlyPageShown(window, 2));
    EXPECT_EQ(window.Text(Ctl::Label1), L"Windows version:");
    EXPECT_EQ(window.form().State().lLastTabFocus, 2);
    EXPECT_FALSE(window.form().State().TabTimerEnabled);
    EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit));
}

TEST(Navigation, ArrowKeyOnTabStripSwitchesThroughClickAlone) {
    FormDriver window;
    ::SetFocus(Tabs(window));
    PressKey(window.form(), VK_RIGHT);
    EXPECT_EQ(SelectedTab(window), 1);
    EXPECT_TRUE(OnlyPageShown(window, 1));
    EXPECT_EQ(window.form().State().JetFiles.size(), 6u);
    EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit));
    EXPECT_FALSE(window.form().State().TabTimerEnabled);
}

TEST(Navigation, FirstSwitchToComponentsLeavesOnlyComponentsShown) {
    FormDriver window;
    window.ClickTab(3);
    TimerRunsOut(window);
    EXPECT_TRUE(OnlyPageShown(window, 3));
    EXPECT_EQ(window.Text(Ctl::Frame3), L"Other Required Software Components");
    window.ClickTab(0);
    TimerRunsOut(window);
    EXPECT_TRUE(OnlyPageShown(window, 0));
}
