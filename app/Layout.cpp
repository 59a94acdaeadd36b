#include "app/Layout.h"

#include <iterator>

#include "analysis/JetPage.h"
#include "analysis/MdacPage.h"

namespace qn {

namespace {

using K = Kind;
using C = Ctl;

// Link labels are tab stops after the control above them: Label19 and Label23 come first on
// their pages (a page is never a stop itself, so Label19 may share its page's index), the
// advertising link after the page, before cmdAbout.
//
// Creation order is z-order (first on top): the pages lie above the tab strip's display area,
// so the tab strip comes last; a button covers the label it hides (Command1 over Label11); a
// version value lies above the caption or link on its left, which may run into it when the
// text is wider than laid out, so the version always stays readable.
constexpr ControlLayout kLayout[] = {
    {C::cmdQuit, L"cmdQuit", K::Button, C::None, 5430, 5055, 1170, 360, L"", true, 0},
    {C::cmdAbout, L"cmdAbout", K::Button, C::None, 6705, 5055, 1170, 360, L"", true, 56},
    {C::lblQNAd, L"lblQNAd", K::Label, C::None, 270, 5025, 5175, 210, L"", true, -1},
    {C::lblQNAdLink, L"lblQNAdLink", K::LinkLabel, C::None, 270, 5250, 75, 195, L"", true, 36},

    {C::picMDAC, L"picMDAC", K::Page, C::None, 105, 480, 7725, 4440, L"", true, 2},
    {C::picWindows, L"picWindows", K::Page, C::None, 105, 480, 7725, 4440, L"", true, 4},
    {C::picComponents, L"picComponents", K::Page, C::None, 105, 480, 7725, 4440, L"", true, 14},
    {C::picJET, L"picJET", K::Page, C::None, 105, 480, 7725, 4440, L"", true, 26},

    {C::Label8, L"Label8", K::Label, C::picMDAC, 4320, 144, 1596, 204, L"", true, -1},
    {C::Label7, L"Label7", K::Label, C::picMDAC, 144, 144, 3948, 204, L"", true, -1},
    {C::Label21, L"Label21", K::Label, C::picMDAC, 4320, 384, 1596, 204, kNewestMdacVersion, true, -1},
    {C::Label19, L"Label19", K::LinkLabel, C::picMDAC, 150, 390, 570, 195, L"", true, 2},
    {C::Label22, L"Label22", K::Label, C::picMDAC, 150, 690, 2940, 210, L"", true, -1},
    {C::lvwMDACFiles, L"lvwMDACFiles", K::ListView, C::picMDAC, 150, 915, 7425, 2745, L"", true, 3},
    {C::Command1, L"Command1", K::Button, C::picMDAC, 144, 3792, 2500, 360, L"", true, 27},
    {C::Label11, L"Label11", K::Label, C::picMDAC, 192, 3888, 1836, 204, L"", true, -1},
    {C::ProgressBar1, L"ProgressBar1", K::ProgressBar, C::picMDAC, 2010, 3885, 1740, 210, L"", false, -1},

    {C::Label24, L"Label24", K::Label, C::picJET, 4368, 144, 1596, 204, L"", true, -1},
    {C::Label25, L"Label25", K::Label, C::picJET, 144, 144, 4092, 204, L"", true, -1},
    {C::Label10, L"Label10", K::Label, C::picJET, 4368, 384, 1596, 204, kNewestJetVersion, true, -1},
    {C::Label23, L"Label23", K::LinkLabel, C::picJET, 150, 390, 45, 195, L"", true, 28},
    {C::Label9, L"Label9", K::Label, C::picJET, 90, 690, 2940, 210, L"", true, -1},
    {C::Command3, L"Command3", K::Button, C::picJET, 144, 3792, 2500, 360, L"", true, 34},
    {C::lvwJetFiles, L"lvwJetFiles", K::ListView, C::picJET, 150, 915, 7425, 2745, L"", true, 35},
    {C::ProgressBar3, L"ProgressBar3", K::ProgressBar, C::picJET, 2580, 3885, 1740, 210, L"", false, -1},

    {C::Frame1, L"Frame1", K::Frame, C::picWindows, 150, 144, 7425, 1500, L"", true, -1},
    {C::Label1, L"Label1", K::Label, C::Frame1, 192, 288, 2412, 204, L"", true, -1},
    {C::Label2, L"Label2", K::Label, C::Frame1, 2688, 288, 1596, 204, L"", true, -1},
    {C::Label3, L"Label3", K::Label, C::Frame1, 192, 576, 2412, 204, L"", true, -1},
    {C::Label4, L"Label4", K::Label, C::Frame1, 2688, 576, 1596, 204, L"", true, -1},
    {C::Label6, L"Label6", K::Label, C::Frame1, 192, 864, 2412, 204, L"", true, -1},
    {C::Label5, L"Label5", K::Label, C::Frame1, 2688, 864, 1596, 204, L"", true, -1},
    {C::Label14, L"Label14", K::Label, C::Frame1, 192, 1152, 2412, 204, L"", true, -1},
    {C::Label13, L"Label13", K::Label, C::Frame1, 2688, 1152, 1596, 204, L"", true, -1},
    {C::Frame2, L"Frame2", K::Frame, C::picWindows, 150, 1776, 7425, 2412, L"", true, -1},
    {C::Label28, L"Label28", K::Label, C::Frame2, 192, 288, 2412, 204, L"", true, -1},
    {C::Label29, L"Label29", K::Label, C::Frame2, 192, 480, 5580, 204, L"", true, -1},
    {C::Label31, L"Label31", K::Label, C::Frame2, 192, 768, 2412, 204, L"", true, -1},
    {C::Label30, L"Label30", K::Label, C::Frame2, 192, 960, 5532, 204, L"", true, -1},
    {C::Label33, L"Label33", K::Label, C::Frame2, 192, 1248, 2412, 204, L"", true, -1},
    {C::Label32, L"Label32", K::Label, C::Frame2, 195, 1440, 7065, 210, L"", true, -1},
    {C::Label26, L"Label26", K::Label, C::Frame2, 192, 1728, 2412, 204, L"", true, -1},
    {C::Label27, L"Label27", K::Label, C::Frame2, 195, 1920, 7035, 345, L"", true, -1},

    {C::Frame3, L"Frame3", K::Frame, C::picComponents, 150, 150, 7425, 3540, L"", true, -1},
    {C::Label18, L"Label18", K::Label, C::Frame3, 192, 288, 2412, 204, L"", true, -1},
    {C::Label17, L"Label17", K::Label, C::Frame3, 2688, 288, 1596, 204, L"", true, -1},
    {C::Label15, L"Label15", K::Label, C::Frame3, 192, 576, 2412, 204, L"", true, -1},
    {C::Label16, L"Label16", K::Label, C::Frame3, 2688, 576, 1596, 204, L"", true, -1},
    {C::Label35, L"Label35", K::Label, C::Frame3, 192, 864, 2412, 204, L"ActiveBar2:", true, -1},
    {C::Label34, L"Label34", K::Label, C::Frame3, 2688, 864, 1596, 204, L"", true, -1},
    {C::Label37, L"Label37", K::Label, C::Frame3, 192, 1152, 2412, 204, L"GridEx20:", true, -1},
    {C::Label36, L"Label36", K::Label, C::Frame3, 2688, 1152, 1596, 204, L"", true, -1},
    {C::Label39, L"Label39", K::Label, C::Frame3, 192, 1440, 2412, 204, L"Microsoft XML-Bibliothek:", true, -1},
    {C::Label38, L"Label38", K::Label, C::Frame3, 2688, 1440, 1596, 204, L"", true, -1},

    {C::TabStrip1, L"TabStrip1", K::TabStrip, C::None, 90, 150, 7785, 4815, L"", true, 1},
};

static_assert(std::size(kLayout) == kControlCount, "one layout row per control");

constexpr bool RowsInControlOrder() {
    for (size_t i = 0; i < std::size(kLayout); ++i) {
        if (static_cast<size_t>(kLayout[i].id) != i) return false;
    }
    return true;
}
static_assert(RowsInControlOrder(), "layout rows must be in the order of Ctl");

// Values named by the caption on their left (or above them), lists by their heading, progress
// bars by the button of the repair they show.
struct CaptionRow {
    Ctl control;
    Ctl caption;
};
constexpr CaptionRow kCaptions[] = {
    {C::Label8, C::Label7},   {C::Label21, C::Label19}, {C::lvwMDACFiles, C::Label22}, {C::ProgressBar1, C::Command1},
    {C::Label24, C::Label25}, {C::Label10, C::Label23}, {C::lvwJetFiles, C::Label9},   {C::ProgressBar3, C::Command3},
    {C::Label2, C::Label1},   {C::Label4, C::Label3},   {C::Label5, C::Label6},        {C::Label13, C::Label14},
    {C::Label29, C::Label28}, {C::Label30, C::Label31}, {C::Label32, C::Label33},      {C::Label27, C::Label26},
    {C::Label17, C::Label18}, {C::Label16, C::Label15}, {C::Label34, C::Label35},      {C::Label36, C::Label37},
    {C::Label38, C::Label39},
};

}  // namespace

Ctl CaptionOf(Ctl id) {
    for (const CaptionRow& row : kCaptions) {
        if (row.control == id) return row.caption;
    }
    return Ctl::None;
}

const ControlLayout& LayoutOf(Ctl id) { return kLayout[static_cast<size_t>(id)]; }

Ctl WindowParent(Ctl id) {
    Ctl parent = LayoutOf(id).container;
    while (parent != Ctl::None && LayoutOf(parent).kind == Kind::Frame) parent = LayoutOf(parent).container;
    return parent;
}

RECT ParentRectTwips(Ctl id) {
    const ControlLayout& row = LayoutOf(id);
    int left = row.left;
    int top = row.top;
    for (Ctl c = row.container; c != Ctl::None && LayoutOf(c).kind == Kind::Frame; c = LayoutOf(c).container) {
        left += LayoutOf(c).left;
        top += LayoutOf(c).top;
    }
    return RECT{left, top, left + row.width, top + row.height};
}

}  // namespace qn
