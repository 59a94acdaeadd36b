// What the window paints: a page shown over another leaves nothing of the other behind.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "app/ControlBehaviour.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

// The colour the window shows at `at` (client coordinates of `control`), as painted.
COLORREF PaintedColour(HWND control, POINT at) {
    const HDC dc = ::GetDC(control);
    const COLORREF colour = ::GetPixel(dc, at.x, at.y);
    ::ReleaseDC(control, dc);
    return colour;
}

COLORREF ListBackground(const FormDriver& window) {
    return static_cast<COLORREF>(::SendMessageW(window.control(Ctl::lvwMDACFiles), LVM_GETBKCOLOR, 0, 0));
}

void PaintNow(FormDriver& window) {
    ::RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    window.Pump();
}

struct TextColours {
    COLORREF text, background;
};

// The colours the window gives a label to paint with.
TextColours ColoursOf(FormDriver& window, Ctl label) {
    const HDC dc = ::CreateCompatibleDC(nullptr);
    ::SendMessageW(window.hwnd(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(window.control(label)));
    const TextColours colours{::GetTextColor(dc), ::GetBkColor(dc)};
    ::DeleteDC(dc);
    return colours;
}

constexpr COLORREF kBlack = RGB(0, 0, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kYellow = RGB(255, 255, 0);

}  // namespace

TEST(Painting, FramesShowTheirPageNotThePageBefore) {
    FormDriver window;
    // The Jet page's white file list lies where the Windows and components pages have the
    // empty right-hand part of a frame.
    const POINT insideFrame{420, 80};  // frame coordinates, right of every label
    for (const auto& [tab, frame] : {std::pair{2, Ctl::Frame2}, std::pair{3, Ctl::Frame3}}) {
        window.ChooseTab(1);
        PaintNow(window);
        window.ChooseTab(tab);
        PaintNow(window);
        EXPECT_EQ(PaintedColour(window.control(frame), insideFrame), ::GetSysColor(COLOR_BTNFACE))
            << "tab " << tab;
    }
}

TEST(Painting, HighContrastSchemeReachesLinksLabelsAndLists) {
    ScopedRegKey noQuillnest{HKEY_CLASSES_ROOT, L".qna", false};
    FormDriver window;
    {
        // A black high-contrast scheme, set the way the system sets a theme's colours.
        ScopedSysColors scheme({{COLOR_BTNFACE, kBlack}, {COLOR_BTNTEXT, kWhite}, {COLOR_WINDOW, kBlack},
                                {COLOR_WINDOWTEXT, kWhite}, {COLOR_HOTLIGHT, kYellow}});
        window.PumpUntil([&] { return ListBackground(window) == kBlack; }, "the window takes the scheme");
        EXPECT_EQ(ColoursOf(window, Ctl::lblQNAdLink).text, kYellow);
        EXPECT_EQ(ColoursOf(window, Ctl::lblQNAdLink).background, kBlack);
        EXPECT_EQ(ColoursOf(window, Ctl::Label7).text, kWhite);
        const HWND list = window.control(Ctl::lvwMDACFiles);
        EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(list, LVM_GETTEXTCOLOR, 0, 0)), kWhite);
        EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), kBlack);
        PaintNow(window);
        EXPECT_EQ(PaintedColour(window.control(Ctl::picMDAC), {3, 3}), kBlack);
    }
    window.PumpUntil([&] { return ListBackground(window) == ::GetSysColor(COLOR_WINDOW); },
                     "the window takes the colours back");
    const HWND list = window.control(Ctl::lvwMDACFiles);
    EXPECT_EQ(static_cast<COLORREF>(::SendMessageW(list, LVM_GETBKCOLOR, 0, 0)), ::GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(ColoursOf(window, Ctl::Label7).text, ::GetSysColor(COLOR_BTNTEXT));
}

TEST(Painting, LinkColourIsTheSystemsWhereReadableElseTheDesignedBlue) {
    // Windows' default link blue on its default face; Wine's light theme has a light grey.
    EXPECT_EQ(LinkColour(RGB(0, 102, 204), RGB(240, 240, 240), kBlack, false), RGB(0, 102, 204));
    EXPECT_EQ(LinkColour(RGB(224, 224, 224), RGB(245, 245, 245), kBlack, false), RGB(0, 0, 255));
    EXPECT_EQ(LinkColour(RGB(0, 0, 160), RGB(0, 0, 128), kWhite, false), kWhite);
    // A high-contrast theme's own choice is taken as it is.
    EXPECT_EQ(LinkColour(RGB(224, 224, 224), RGB(245, 245, 245), kBlack, true), RGB(224, 224, 224));
}

TEST(Painting, ProgressBarDrawsANewPositionWithTheNextPaintNotAtOnce) {
    // Drawn at once, every file of a repair would wait for the display; the position is drawn
    // by the next paint of the window instead, and never left undrawn.
    FormDriver window;
    const HWND bar = window.control(Ctl::ProgressBar1);
    ::ShowWindow(bar, SW_SHOWNA);
    ::SendMessageW(bar, PBM_SETRANGE32, 0, 4);
    PaintNow(window);
    RECT client{};
    ::GetClientRect(bar, &client);
    const auto filled = [&] {
        int highlighted = 0;
        for (int x = client.left; x < client.right; ++x) {
            if (PaintedColour(bar, {x, client.bottom / 2}) == ::GetSysColor(COLOR_HIGHLIGHT)) ++highlighted;
        }
        return highlighted;
    };
    ASSERT_EQ(filled(), 0);
    ::SendMessageW(bar, PBM_SETPOS, 4, 0);
    RECT pending{};
    EXPECT_TRUE(::GetUpdateRect(bar, &pending, FALSE));
    EXPECT_EQ(filled(), 0);
    PaintNow(window);
    EXPECT_FALSE(::GetUpdateRect(bar, &pending, FALSE));
    EXPECT_GT(filled(), (client.right - client.left) / 2);
}
