// The window's controls as laid out: real child windows of the standard classes, in place.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <initializer_list>
#include <string>

#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {
std::wstring ClassOf(HWND window) {
    WCHAR name[64] = {};
    ::GetClassNameW(window, name, 64);
    return name;
}
void ExpectRect(const RECT& r, int left, int top, int width, int height, const char* what) {
    EXPECT_EQ(r.left, left) << what;
    EXPECT_EQ(r.top, top) << what;
    EXPECT_EQ(r.right - r.left, width) << what;
    EXPECT_EQ(r.bottom - r.top, height) << what;
}
}  // namespace

TEST(Layout, ClientAreaAndPlacesAtNinetySixDpi) {
    FormDriver window;
    ASSERT_EQ(window.form().Dpi(), 96u);
    window.ShowEveryPage();
    RECT client{};
    ::GetClientRect(window.hwnd(), &client);
    EXPECT_EQ(client.right, 532);   // 7980 twips
    EXPECT_EQ(client.bottom, 369);  // 5535 twips
    ExpectRect(window.RectInParent(Ctl::cmdQuit), 362, 337, 78, 24, "cmdQuit");
    ExpectRect(window.RectInParent(Ctl::TabStrip1), 6, 10, 519, 321, "TabStrip1");
    ExpectRect(window.RectInParent(Ctl::picJET), 7, 32, 515, 296, "picJET");
    ExpectRect(window.RectInParent(Ctl::lvwMDACFiles), 10, 61, 495, 183, "lvwMDACFiles");
    // Inside a frame: the frame's place and the control's add up.
    ExpectRect(window.RectInParent(Ctl::Label2), 189, 29, 107, 13, "Label2");
    ExpectRect(window.RectInParent(Ctl::Label27), 23, 246, 469, 23, "Label27");
}

TEST(Layout, NoMinimiseMaximiseOrSizingAndCentred) {
    FormDriver window;
    const auto style = ::GetWindowLongPtrW(window.hwnd(), GWL_STYLE);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);
    RECT r{};
    ::GetWindowRect(window.hwnd(), &r);
    MONITORINFO monitor{};
    monitor.cbSize = sizeof(monitor);
    ::GetMonitorInfoW(::MonitorFromWindow(window.hwnd(), MONITOR_DEFAULTTOPRIMARY), &monitor);
    EXPECT_NEAR((r.left + r.right) / 2, (monitor.rcWork.left + monitor.rcWork.right) / 2, 1);
    EXPECT_NEAR((r.top + r.bottom) / 2, (monitor.rcWork.top + monitor.rcWork.bottom) / 2, 1);
}

TEST(Layout, ControlsAreStandardClasses) {
    FormDriver window;
    window.ShowEveryPage();
    EXPECT_EQ(ClassOf(window.control(Ctl::TabStrip1)), L"SysTabControl32");
    EXPECT_EQ(ClassOf(window.control(Ctl::lvwJetFiles)), L"SysListView32");
    EXPECT_EQ(ClassOf(window.control(Ctl::ProgressBar3)), L"msctls_progress32");
    EXPECT_EQ(ClassOf(window.control(Ctl::Command1)), L"Button");
    EXPECT_EQ(ClassOf(window.control(Ctl::Frame2)), L"Button");
    EXPECT_EQ(ClassOf(window.control(Ctl::Label19)), L"Static");
    EXPECT_EQ(::GetParent(window.control(Ctl::Label2)), window.control(Ctl::picWindows));
    EXPECT_EQ(::GetWindowLongPtrW(window.control(Ctl::lvwMDACFiles), GWL_STYLE) & LVS_TYPEMASK, LVS_REPORT);
}

TEST(Layout, ExitButtonCoversNothingAndCommand1CoversLabel11) {
    FormDriver window;
    // Command1 lies above Label11 in the page's z-order, so the label is hidden behind it.
    bool below = false;
    for (HWND h = window.control(Ctl::Command1); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h == window.control(Ctl::Label11)) below = true;
    }
    EXPECT_TRUE(below);
    // Pages lie above the tab strip, or the tab strip would take their clicks.
    bool pageAbove = false;
    for (HWND h = window.control(Ctl::picMDAC); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
        if (h == window.control(Ctl::TabStrip1)) pageAbove = true;
    }
    EXPECT_TRUE(pageAbove);
}

TEST(Layout, LinkLabelsAreAsWideAsTheirText) {
    qn::test::FormDriver window;
    const RECT link = window.RectInParent(Ctl::lblQNAdLink);
    EXPECT_GT(link.right - link.left, 150);  // laid out 5 px wide, the text is far longer
    EXPECT_EQ(link.left, 18);
}

TEST(Layout, TabKeyFollowsDesignedOrderWithEachLinkAfterTheControlAboveIt) {
    // Quillnest not installed and an older MDAC: all three links show.
    ScopedRegKey noQuillnest{HKEY_CLASSES_ROOT, L".qna", false};
    ScopedRegValue oldMdac{HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\DataAccess", L"FullInstallVer",
                           std::wstring(L"2.70.7713.4")};
    FormDriver window;
    const auto expectOrder = [&](std::initializer_list<Ctl> expected) {
        for (const Ctl next : expected) {
            MSG msg{window.Focus(), WM_KEYDOWN, VK_TAB, 0, 0, {}};
            EXPECT_TRUE(window.form().PreTranslateMessage(msg));
            EXPECT_EQ(window.Focus(), window.control(next)) << LayoutOf(next).name;
        }
    };
    expectOrder({Ctl::TabStrip1, Ctl::Label19, Ctl::lvwMDACFiles, Ctl::Command1, Ctl::lblQNAdLink, Ctl::cmdAbout,
                 Ctl::cmdQuit});
    window.ChooseTab(1);
    expectOrder({Ctl::TabStrip1, Ctl::Label23, Ctl::Command3, Ctl::lvwJetFiles, Ctl::lblQNAdLink, Ctl::cmdAbout,
                 Ctl::cmdQuit});
}

TEST(Layout, PointerOverPlainLabelIsNotOverTheSurface) {
    // The window beneath the pointer decides which surface sees the move: a plain label must
    // answer for itself, or moving onto it would clear a link's underline.
    FormDriver window;
    RECT r{};
    ::GetWindowRect(window.control(Ctl::lblQNAd), &r);
    const POINT centre{(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    EXPECT_EQ(::WindowFromPoint(centre), window.control(Ctl::lblQNAd));
    ::GetWindowRect(window.control(Ctl::Label7), &r);
    EXPECT_EQ(::WindowFromPoint(POINT{r.left + 3, (r.top + r.bottom) / 2}), window.control(Ctl::Label7));
}

TEST(Layout, VersionValuesLieAboveTheTextsOnTheirLeft) {
    // A German link text can run into the version beside it; the version must stay readable.
    FormDriver window;
    window.ShowEveryPage();
    const auto above = [&](Ctl upper, Ctl lower) {
        for (HWND h = window.control(upper); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            if (h == window.control(lower)) return true;
        }
        return false;
    };
    EXPECT_TRUE(above(Ctl::Label10, Ctl::Label23));
    EXPECT_TRUE(above(Ctl::Label21, Ctl::Label19));
    EXPECT_TRUE(above(Ctl::Label8, Ctl::Label7));
    EXPECT_TRUE(above(Ctl::Label24, Ctl::Label25));
}
