// The window at a DPI other than 96: every control where its 96-DPI place, scaled, puts it, fonts
// grown alike and list columns as wide as their texts; both when the system starts at that DPI
// and when the window is told that its DPI changed.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <string>

#include "app/Layout.h"
#include "app/ControlText.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

std::string Narrow(const wchar_t* text) {
    std::string result;
    for (; *text; ++text) result.push_back(static_cast<char>(*text));
    return result;
}

// Pixels of a 96-DPI edge at `dpi`: the 96-DPI pixel position, scaled.
double Scaled(int twips, UINT dpi) { return TwipsToPixels(twips, 96) * static_cast<double>(dpi) / 96.0; }

// The list view keeps a margin around a cell's text, 12 px in all; a narrower column cuts it.
constexpr int kCellMargin = 12;

int TextWidth(HWND list, const std::wstring& text) {
    const HDC dc = ::GetDC(list);
    const HGDIOBJ old = ::SelectObject(dc, reinterpret_cast<HFONT>(::SendMessageW(list, WM_GETFONT, 0, 0)));
    SIZE extent{};
    ::GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    ::SelectObject(dc, old);
    ::ReleaseDC(list, dc);
    return extent.cx;
}

// Each column at least as wide as designed; those that do not fill the rest as wide as their
// header and every cell; together exactly as wide as the list, so nothing scrolls sideways.
void ExpectColumnsFitTheirTexts(const FormDriver& window, Ctl listView, UINT dpi) {
    const HWND list = window.control(listView);
    if (!list) return;  // its page has not been shown yet
    const std::string name = Narrow(LayoutOf(listView).name);
    const auto rows = static_cast<int>(::SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    int total = 0;
    for (int column = 0; column < static_cast<int>(std::size(kFileListColumns)); ++column) {
        const ColumnLayout& layout = kFileListColumns[column];
        const auto width = static_cast<int>(::SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        total += width;
        EXPECT_GE(width, Scaled(layout.widthTwips, dpi) - 1.0) << name << " column " << column;
        if (layout.fillsRest) continue;
        EXPECT_GE(width, TextWidth(list, layout.header) + kCellMargin) << name << " header " << column;
        for (int row = 0; row < rows; ++row) {
            const std::wstring cell = ListCellText(list, row, column);
            EXPECT_GE(width, TextWidth(list, cell) + kCellMargin)
                << name << " row " << row << " column " << column << " is cut";
        }
    }
    RECT client{};
    ::GetClientRect(list, &client);
    EXPECT_EQ(total, client.right) << name;
}

bool IsOneLineLabel(HWND control) {
    return (::GetWindowLongPtrW(control, GWL_STYLE) & SS_TYPEMASK) == SS_LEFTNOWORDWRAP;
}

// Every control created so far at its 96-DPI rectangle scaled to `dpi`, each edge within 1 px
// (a page's controls exist from its first visit). Controls whose
// width follows their text (link labels; one-line labels whose text is wider than laid out)
// are compared by left, top and bottom; such a label never becomes narrower than laid out.
void ExpectLaidOutAt(const FormDriver& window, UINT dpi) {
    RECT client{};
    ::GetClientRect(window.hwnd(), &client);
    EXPECT_NEAR(client.right, Scaled(kClientWidthTwips, dpi), 1.0);
    EXPECT_NEAR(client.bottom, Scaled(kClientHeightTwips, dpi), 1.0);
    for (size_t i = 0; i < kControlCount; ++i) {
        const Ctl id = static_cast<Ctl>(i);
        if (!window.control(id)) continue;
        const std::string name = Narrow(LayoutOf(id).name);
        const RECT twips = ParentRectTwips(id);
        const RECT actual = window.RectInParent(id);
        EXPECT_NEAR(actual.left, Scaled(twips.left, dpi), 1.0) << name;
        EXPECT_NEAR(actual.top, Scaled(twips.top, dpi), 1.0) << name;
        EXPECT_NEAR(actual.bottom, Scaled(twips.bottom, dpi), 1.0) << name;
        const bool followsText = LayoutOf(id).kind == Kind::LinkLabel ||
                                 (LayoutOf(id).kind == Kind::Label && IsOneLineLabel(window.control(id)));
        if (!followsText) {
            EXPECT_NEAR(actual.right, Scaled(twips.right, dpi), 1.0) << name;
        } else if (LayoutOf(id).kind == Kind::Label) {
            EXPECT_GE(actual.right, Scaled(twips.right, dpi) - 1.0) << name;
        }
    }
    for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) ExpectColumnsFitTheirTexts(window, list, dpi);
    LOGFONTW font{};
    ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(window.control(Ctl::Label7), WM_GETFONT, 0, 0)), sizeof(font),
                 &font);
    EXPECT_EQ(font.lfHeight, -::MulDiv(8, static_cast<int>(dpi), 72));  // 8 point
}

void ExpectEveryControlCreated(const FormDriver& window) {
    for (size_t i = 0; i < kControlCount; ++i) {
        EXPECT_NE(window.control(static_cast<Ctl>(i)), nullptr) << Narrow(LayoutOf(static_cast<Ctl>(i)).name);
    }
}

}  // namespace

// Runs in its own ctest entry (dpi_144), for which the system DPI is set before the process
// starts; elsewhere the system DPI is whatever the prefix has and the test does not apply.
TEST(SystemDpi, EveryControlScaledFromItsPlaceAtNinetySixDpi) {
    const char* expected = std::getenv("QN_EXPECT_DPI");
    if (!expected) GTEST_SKIP() << "runs in the dpi_144 test, at 144 DPI";
    FormDriver window;
    ASSERT_EQ(window.form().Dpi(), static_cast<UINT>(std::atoi(expected))) << "the system DPI was not taken";
    window.ShowEveryPage();
    ExpectEveryControlCreated(window);
    ExpectLaidOutAt(window, window.form().Dpi());
}

// At 96 DPI in the dpi entry and at 144 in dpi_144: the designed columns are narrower than the
// file names in Tahoma.
TEST(SystemDpi, NoFileNameOrVersionIsCutWithTahoma) {
    const char* expected = std::getenv("QN_EXPECT_DPI");
    ScopedIconTitleFace tahoma(L"Tahoma");
    FormDriver window;
    ASSERT_EQ(window.form().Dpi(), expected ? static_cast<UINT>(std::atoi(expected)) : 96u);
    ASSERT_EQ(window.FontFace(Ctl::lvwMDACFiles), L"Tahoma");
    ExpectColumnsFitTheirTexts(window, Ctl::lvwMDACFiles, window.form().Dpi());
    window.ChooseTab(1);
    ASSERT_EQ(::SendMessageW(window.control(Ctl::lvwJetFiles), LVM_GETITEMCOUNT, 0, 0), 6);
    ExpectColumnsFitTheirTexts(window, Ctl::lvwJetFiles, window.form().Dpi());
}

TEST(DpiChange, WindowIsLaidOutAnewForTheNewDpiAndBack) {
    FormDriver window;
    ASSERT_EQ(window.form().Dpi(), 96u);
    // Every page but the Windows settings page exists before the change.
    for (const int tab : {1, 3, 0}) window.ChooseTab(tab);
    ASSERT_EQ(window.control(Ctl::Label2), nullptr);
    RECT before{};
    ::GetWindowRect(window.hwnd(), &before);
    RECT suggested{100, 80, 100 + 820, 80 + 600};
    ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(144, 144), reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(window.form().Dpi(), 144u);
    ExpectLaidOutAt(window, 144);
    RECT moved{};
    ::GetWindowRect(window.hwnd(), &moved);
    EXPECT_EQ(moved.left, suggested.left);
    EXPECT_EQ(moved.top, suggested.top);

    // The page shown and filled after the change, created only now, is laid out at the new DPI too.
    window.ChooseTab(2);
    window.Pump();
    ExpectEveryControlCreated(window);
    ExpectLaidOutAt(window, 144);

    RECT back{before.left, before.top, before.right, before.bottom};
    ::SendMessageW(window.hwnd(), WM_DPICHANGED, MAKEWPARAM(96, 96), reinterpret_cast<LPARAM>(&back));
    ExpectLaidOutAt(window, 96);
    RECT after{};
    ::GetWindowRect(window.hwnd(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
}
