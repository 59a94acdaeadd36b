// What the window paints: a page shown over another leaves nothing of the other behind.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/FormDriver.h"

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

void PaintNow(FormDriver& window) {
    ::RedrawWindow(window.hwnd(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    window.Pump(50);
}

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
