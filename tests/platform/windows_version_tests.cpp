// Classification of Windows versions and the cache of the recognised code.
#include <gtest/gtest.h>

#include "platform/modAPI.h"

using namespace qn;

TEST(WindowsVersionCode, FollowsPlatformMajorMinor) {
    EXPECT_EQ(ClassifyWindowsVersion(1, 4, 0), 1);    // 95
    EXPECT_EQ(ClassifyWindowsVersion(1, 4, 10), 2);   // 98 and 98 SE
    EXPECT_EQ(ClassifyWindowsVersion(1, 4, 90), 5);   // Me
    EXPECT_EQ(ClassifyWindowsVersion(1, 4, 3), 0);
    EXPECT_EQ(ClassifyWindowsVersion(0, 3, 10), 0);   // Win32s: no 9x name
    EXPECT_EQ(ClassifyWindowsVersion(0, 0, 0), 0);    // what a failed query leaves
    EXPECT_EQ(ClassifyWindowsVersion(2, 5, 0), 4);    // 2000
    EXPECT_EQ(ClassifyWindowsVersion(2, 5, 1), 6);    // XP
    EXPECT_EQ(ClassifyWindowsVersion(2, 5, 2), 6);    // Server 2003
    EXPECT_EQ(ClassifyWindowsVersion(2, 4, 0), 3);    // NT 4.0
    EXPECT_EQ(ClassifyWindowsVersion(2, 6, 0), 3);    // Vista
    EXPECT_EQ(ClassifyWindowsVersion(2, 10, 0), 3);   // 10 and 11
}

TEST(WindowsVersionCode, UnrecognisedSystemIsAskedAgainRecognisedIsCached) {
    int calls = 0;
    OsVersion answer{1, 4, 3, 0};
    WindowsVersion version([&] { ++calls; return answer; });
    EXPECT_EQ(version.GetWindowsVersion(), 0);
    EXPECT_EQ(version.GetWindowsVersion(), 0);
    EXPECT_EQ(calls, 2);
    answer = OsVersion{};  // the query failed
    EXPECT_EQ(version.GetWindowsVersion(), 0);
    EXPECT_EQ(calls, 3);
    answer = OsVersion{2, 5, 1, 2600};
    EXPECT_EQ(version.GetWindowsVersion(), 6);
    answer = OsVersion{2, 5, 0, 2195};
    EXPECT_EQ(version.GetWindowsVersion(), 6);
    EXPECT_EQ(calls, 4);
}

TEST(WindowsVersionCode, RunningSystemIsNtFamily) {
    const OsVersion os = QueryOsVersion();
    EXPECT_EQ(os.platformId, static_cast<DWORD>(VER_PLATFORM_WIN32_NT));
    EXPECT_GE(os.major, 5u);
    WindowsVersion version;
    EXPECT_EQ(version.GetWindowsVersion(), ClassifyWindowsVersion(os.platformId, os.major, os.minor));
}
