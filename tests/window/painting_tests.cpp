// What the window paints: a page shown over another leaves nothing of the other behind.
#include <windows.h>
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
    window.Pump();
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
