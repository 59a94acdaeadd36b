// The window on a system that really reports Windows XP. Wine does so for a program named in
// its AppDefaults; the build runs a copy of this suite under such a name (suite.cmake), where
// QN_EXPECT_WINDOWS_XP is set. Elsewhere these tests are skipped.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/modAPI.h"
#include "support/FormDriver.h"

using namespace qn;
using namespace qn::test;

namespace {

bool RunningOnXP() {
    const OsVersion os = QueryOsVersion();
    return os.platformId == VER_PLATFORM_WIN32_NT && os.major == 5 && os.minor == 1;
}

HIMAGELIST ButtonImages(HWND button) {
    BUTTON_IMAGELIST images{};
    ::SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    return images.himl;
}

}  // namespace

TEST(OnWindowsXP, RepairButtonsHaveIconsAndThePageNamesXP) {
    if (!RunningOnXP()) {
        if (std::getenv("QN_EXPECT_WINDOWS_XP")) FAIL() << "the system does not report Windows XP";
        GTEST_SKIP() << "needs a system that reports Windows XP";
    }
    FormDriver window;
    window.ShowEveryPage();
    EXPECT_EQ(window.form().State().lWinVersion, 6);
    EXPECT_NE(ButtonImages(window.control(Ctl::Command1)), nullptr);
    EXPECT_NE(ButtonImages(window.control(Ctl::Command3)), nullptr);
    window.ChooseTab(2);
    EXPECT_EQ(window.Text(Ctl::Label2), L"Windows XP");
}
