// The link labels on the real window: underlined while the pointer is over them (real pointer
// input, so the system decides which control gets each move), and opening their addresses
// from the timer after a click.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UserInput.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

constexpr wchar_t kHomePage[] = L"https://www.quillnest.example/";

class Links : public ::testing::Test {
protected:
    Links() { ParkPointer(); }

    FormServices Recording() {
        FormServices services;
        services.openUrl = [this](const std::wstring& url) { opened.push_back(url); };
        return services;
    }

    // Quillnest not installed, so its advertising link shows; an older MDAC, so the MDAC link shows.
    ScopedRegKey noQuillnest{HKEY_CLASSES_ROOT, L".qna", false};
    ScopedRegValue oldMdac{HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\DataAccess", L"FullInstallVer",
                           std::wstring(L"2.70.7713.4")};
    std::vector<std::wstring> opened;
};

// The browser starts from a timer (1 ms) that stops itself.
void LinkTimerRunsOut(FormDriver& window) {
    window.PumpUntil([&] { return !window.form().State().ShellExecuteTimerEnabled; }, "the link timer stops");
}

}  // namespace

TEST_F(Links, UnderlinedWhilePointerIsOverThemUntilBareMdacSurface) {
    FormDriver window;
    ASSERT_TRUE(window.Visible(Ctl::Label19));
    EXPECT_FALSE(window.Underlined(Ctl::Label19));
    MovePointerOnto(window.control(Ctl::Label19));
    EXPECT_TRUE(window.Underlined(Ctl::Label19));
    EXPECT_EQ(window.form().State().oHoverLabel, Ctl::Label19);
    MovePointerOntoBareSurface(window.control(Ctl::picMDAC));
    EXPECT_FALSE(window.Underlined(Ctl::Label19));
    EXPECT_EQ(window.form().State().oHoverLabel, Ctl::None);
}

TEST_F(Links, ControlsWithoutMovementHandlingKeepTheUnderline) {
    FormDriver window;
    MovePointerOnto(window.control(Ctl::Label19));
    ASSERT_TRUE(window.Underlined(Ctl::Label19));
    const Ctl passive[] = {Ctl::lvwMDACFiles, Ctl::Command1, Ctl::Label7, Ctl::Label22,
                           Ctl::lblQNAd, Ctl::cmdAbout, Ctl::cmdQuit};
    for (const Ctl control : passive) {
        MovePointerOnto(window.control(control));
        EXPECT_TRUE(window.Underlined(Ctl::Label19)) << "over " << LayoutOf(control).name;
    }
    RECT tab{};
    ::SendMessageW(window.control(Ctl::TabStrip1), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    MovePointerTo(window.control(Ctl::TabStrip1), {(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2});
    EXPECT_TRUE(window.Underlined(Ctl::Label19)) << "over the tab strip";

    MovePointerOntoBareSurface(window.hwnd());
    EXPECT_FALSE(window.Underlined(Ctl::Label19));
    EXPECT_EQ(window.form().State().oHoverLabel, Ctl::None);
}

TEST_F(Links, JetLinkIsClearedByBareJetSurface) {
    FormDriver window;
    window.ChooseTab(1);
    MovePointerOnto(window.control(Ctl::Label23));
    EXPECT_TRUE(window.Underlined(Ctl::Label23));
    MovePointerOnto(window.control(Ctl::lvwJetFiles));
    MovePointerOnto(window.control(Ctl::Label25));
    EXPECT_TRUE(window.Underlined(Ctl::Label23));
    MovePointerOntoBareSurface(window.control(Ctl::picJET));
    EXPECT_FALSE(window.Underlined(Ctl::Label23));
}

TEST_F(Links, WindowsAndComponentsPagesDoNotClearTheUnderline) {
    FormDriver window;
    for (const int tab : {2, 3}) {
        window.ChooseTab(tab);
        MovePointerOnto(window.control(Ctl::lblQNAdLink));
        ASSERT_TRUE(window.Underlined(Ctl::lblQNAdLink));
        MovePointerOntoBareSurface(window.control(kTabPages[tab]));
        EXPECT_TRUE(window.Underlined(Ctl::lblQNAdLink)) << "over the page of tab " << tab;
        MovePointerOnto(window.control(tab == 2 ? Ctl::Label2 : Ctl::Label34));
        EXPECT_TRUE(window.Underlined(Ctl::lblQNAdLink)) << "over a label of tab " << tab;
        MovePointerOntoBareSurface(window.hwnd());
        EXPECT_FALSE(window.Underlined(Ctl::lblQNAdLink));
    }
}

TEST_F(Links, SecondLinkTakesOverTheUnderline) {
    FormDriver window;
    MovePointerOnto(window.control(Ctl::Label19));
    MovePointerOnto(window.control(Ctl::lblQNAdLink));
    EXPECT_TRUE(window.Underlined(Ctl::lblQNAdLink));
    EXPECT_FALSE(window.Underlined(Ctl::Label19));
    EXPECT_EQ(window.form().State().oHoverLabel, Ctl::lblQNAdLink);
    MovePointerOnto(window.control(Ctl::Label19));
    EXPECT_TRUE(window.Underlined(Ctl::Label19));
    EXPECT_FALSE(window.Underlined(Ctl::lblQNAdLink));
}

TEST_F(Links, ClickRemovesUnderlineUntilThePointerMovesAgain) {
    FormDriver window(Recording());
    MovePointerOnto(window.control(Ctl::Label19));
    window.Click(Ctl::Label19);
    EXPECT_FALSE(window.Underlined(Ctl::Label19));
    EXPECT_EQ(window.form().State().oHoverLabel, Ctl::Label19);
    NudgePointer();
    EXPECT_TRUE(window.Underlined(Ctl::Label19));
    EXPECT_EQ(window.form().State().oHoverLabel, Ctl::Label19);
}

TEST_F(Links, EachLinkOpensItsAddressFromTheTimer) {
    FormDriver window(Recording());
    window.Click(Ctl::Label19);
    EXPECT_TRUE(opened.empty()) << "the browser starts from the timer, after the click";
    EXPECT_TRUE(window.form().State().ShellExecuteTimerEnabled);
    LinkTimerRunsOut(window);
    EXPECT_FALSE(window.form().State().ShellExecuteTimerEnabled);
    window.ChooseTab(1);
    window.Click(Ctl::Label23);
    LinkTimerRunsOut(window);
    window.Click(Ctl::lblQNAdLink);
    LinkTimerRunsOut(window);
    // In English both download links lead to the same page.
    const std::wstring components = L"https://www.quillnest.example/en/download/components.html";
    EXPECT_EQ(opened, (std::vector<std::wstring>{components, components, kHomePage}));
}

TEST_F(Links, ClickWithThePointerOpensTheAddressOnce) {
    FormDriver window(Recording());
    MovePointerOnto(window.control(Ctl::lblQNAdLink));
    ClickPointer();
    LinkTimerRunsOut(window);
    EXPECT_EQ(opened, std::vector<std::wstring>{kHomePage});
    EXPECT_FALSE(window.Underlined(Ctl::lblQNAdLink));
}

TEST_F(Links, TwoClicksBeforeTheTickOpenOnlyTheLaterAddressOnce) {
    FormDriver window(Recording());
    window.Click(Ctl::Label19);
    window.Click(Ctl::lblQNAdLink);
    LinkTimerRunsOut(window);
    EXPECT_EQ(opened, std::vector<std::wstring>{kHomePage});
    EXPECT_EQ(window.form().State().sLinkUrl, kHomePage);
}

// The top row of pixels of `control` as painted now.
std::vector<COLORREF> PaintedTopRow(FormDriver& window, Ctl id) {
    const HWND control = window.control(id);
    ::RedrawWindow(control, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    window.Pump();
    RECT client{};
    ::GetClientRect(control, &client);
    const HDC dc = ::GetDC(control);
    std::vector<COLORREF> row;
    for (LONG x = 0; x < client.right; ++x) row.push_back(::GetPixel(dc, x, 0));
    ::ReleaseDC(control, dc);
    return row;
}

TEST_F(Links, EnterOrSpaceOnTheFocusedLinkOpensItFromTheTimerAsAClickDoes) {
    FormDriver window(Recording());
    const std::vector<COLORREF> unfocused = PaintedTopRow(window, Ctl::Label19);
    ::SetFocus(window.control(Ctl::TabStrip1));
    PressKey(window.form(), VK_TAB);
    ASSERT_EQ(window.Focus(), window.control(Ctl::Label19));
    EXPECT_NE(PaintedTopRow(window, Ctl::Label19), unfocused) << "no focus cue";
    PressKey(window.form(), VK_RETURN);
    LinkTimerRunsOut(window);
    EXPECT_EQ(opened, std::vector<std::wstring>{L"https://www.quillnest.example/en/download/components.html"});

    window.ChooseTab(1);
    ::SetFocus(window.control(Ctl::TabStrip1));
    PressKey(window.form(), VK_TAB);
    ASSERT_EQ(window.Focus(), window.control(Ctl::Label23));
    PressKey(window.form(), VK_SPACE);
    LinkTimerRunsOut(window);
    ::SetFocus(window.control(Ctl::lblQNAdLink));
    PressKey(window.form(), VK_RETURN);
    LinkTimerRunsOut(window);
    EXPECT_EQ(opened.size(), 3u);
    EXPECT_EQ(opened.back(), kHomePage);
    EXPECT_EQ(PaintedTopRow(window, Ctl::Label19), unfocused) << "the cue stays after the focus left";
}

TEST_F(Links, GermanDownloadLinksDiffer) {
    FormDriver window(Recording());
    window.Click(Ctl::Label19);
    LinkTimerRunsOut(window);
    window.ChooseTab(1);
    window.Click(Ctl::Label23);
    LinkTimerRunsOut(window);
    window.Click(Ctl::lblQNAdLink);
    LinkTimerRunsOut(window);
    EXPECT_EQ(opened, (std::vector<std::wstring>{L"https://www.quillnest.de.example/de/download/mdac.html",
                                                 L"https://www.quillnest.de.example/de/download/komponenten.html",
                                                 kHomePage}));
}
