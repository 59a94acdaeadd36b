// The Windows settings page against the running Wine system, its registry and its folders.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <optional>

#include "analysis/WindowsPage.h"
#include "platform/ShellFolders.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::RawValue;
using qn::test::ScopedRegValue;
using qn::test::IsDirectory;
using qn::test::ScopedDirectory;
using qn::test::ScopedEnvironment;
using qn::test::TempDir;

namespace {

const wchar_t kIeKey[] = L"Software\\Microsoft\\Internet Explorer";

WindowsFindings AnalyseRunningSystem() {
    const OsVersion os = QueryOsVersion();
    return AnalyseWindows(ClassifyWindowsVersion(os.platformId, os.major, os.minor), os);
}

}  // namespace

TEST(WindowsName, EachCodeHasItsName) {
    const OsVersion nt4{VER_PLATFORM_WIN32_NT, 4, 0, 1381};
    EXPECT_EQ(WindowsVersionName(1, {1, 4, 0, 950}), L"Windows 95");
    EXPECT_EQ(WindowsVersionName(2, {1, 4, 10, 2222}), L"Windows 98");
    EXPECT_EQ(WindowsVersionName(3, nt4), L"Windows NT 4.0");
    EXPECT_EQ(WindowsVersionName(4, {2, 5, 0, 2195}), L"Windows 2000");
    EXPECT_EQ(WindowsVersionName(5, {1, 4, 90, 3000}), L"Windows Me");
    EXPECT_EQ(WindowsVersionName(6, {2, 5, 1, 2600}), L"Windows XP");
    EXPECT_EQ(WindowsVersionName(6, {2, 5, 2, 3790}), L"Windows XP");
    EXPECT_EQ(WindowsVersionName(0, {1, 4, 3, 0}), std::nullopt);
    EXPECT_EQ(WindowsVersionName(7, {2, 5, 2, 3790}), std::nullopt);
}

TEST(WindowsName, NtSystemsAfterXpAreNamedFromTheirVersion) {
    struct Case { DWORD major, minor, build; const wchar_t* name; };
    const Case cases[] = {
        {6, 0, 6002, L"Windows Vista"},    {6, 1, 7601, L"Windows 7"},
        {6, 2, 9200, L"Windows 8"},        {6, 3, 9600, L"Windows 8.1"},
        {10, 0, 19045, L"Windows 10"},     {10, 0, 21999, L"Windows 10"},
        {10, 0, 22000, L"Windows 11"},     {10, 0, 26100, L"Windows 11"},
        {6, 4, 9841, L"Windows NT 6.4"},   {10, 1, 30000, L"Windows NT 10.1"},
        {11, 0, 30000, L"Windows NT 11.0"},
    };
    for (const Case& c : cases) {
        const OsVersion os{VER_PLATFORM_WIN32_NT, c.major, c.minor, c.build};
        ASSERT_EQ(ClassifyWindowsVersion(os.platformId, os.major, os.minor), 3);
        EXPECT_EQ(WindowsVersionName(3, os), c.name) << c.major << "." << c.minor << "." << c.build;
    }
}

TEST(WindowsPage, RunningWineIsWindows7InEnglish) {
    const WindowsFindings found = AnalyseRunningSystem();
    EXPECT_EQ(found.name, L"Windows 7");
    EXPECT_EQ(found.os.major, 6u);
    EXPECT_EQ(found.userLanguage, 1033u);
    EXPECT_EQ(found.ansiCodePage, 1252u);
}

TEST(WindowsPage, GermanUserHasGermanLanguageId) {
    EXPECT_EQ(AnalyseRunningSystem().userLanguage, 1031u);
    const WindowsFindings unknown = AnalyseWindows(0, {1, 4, 3, 0});
    EXPECT_EQ(unknown.name, std::nullopt);
    EXPECT_EQ(unknown.ansiCodePage, 1252u);
}

TEST(ExistingFolder, OnlyExistingDirectoriesAreFound) {
    TempDir dir;
    EXPECT_EQ(ExistingFolder(dir.path() + L"\\"), dir.path() + L"\\");
    EXPECT_EQ(ExistingFolder(dir.path() + L"\\missing\\"), std::nullopt);
    EXPECT_EQ(ExistingFolder(L""), std::nullopt);
    EXPECT_EQ(ExistingFolder(L"Q:\\no drive here\\"), std::nullopt);
    qn::test::ScopedFile file(dir.path() + L"\\plain.txt", L"");
    EXPECT_EQ(ExistingFolder(file.path()), std::nullopt);
    EXPECT_EQ(ExistingFolder(file.path() + L"\\"), std::nullopt);
}

TEST(TempFolder, FollowsTheSystemsTemporaryPath) {
    TempDir dir;
    const std::wstring folder = dir.path() + L"\\Temp Files";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
    {
        ScopedEnvironment tmp(L"TMP", folder);
        EXPECT_EQ(TempFolder(), folder + L"\\");
        EXPECT_EQ(AnalyseRunningSystem().folders.temp, folder + L"\\");
    }
    {
        ScopedEnvironment tmp(L"TMP", folder + L"\\gone");
        EXPECT_EQ(TempFolder(), std::nullopt);
    }
    {
        // Longer than the buffer: the system reports the size it would need and writes nothing.
        ScopedEnvironment tmp(L"TMP", dir.path() + L"\\" + std::wstring(600, L'x'));
        EXPECT_EQ(TempFolder(), std::nullopt);
    }
}

TEST(ExistingFolder, NonAnsiFolderNamesSurvive) {
    TempDir dir;
    const std::wstring folder = dir.path() + L"\\Zażółć gęślą jaźń Ελληνικά";
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
        // Wine names files in the charset of the Unix locale and falls back to ASCII when that
        // locale is not installed; such a prefix cannot hold this folder at all.
        ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        GTEST_SKIP() << "this Wine prefix cannot hold non-ASCII file names (Unix locale not installed)";
    }
    EXPECT_EQ(ExistingFolder(folder + L"\\"), folder + L"\\");
    ScopedEnvironment tmp(L"TMP", folder);
    EXPECT_EQ(TempFolder(), folder + L"\\");
}

TEST(WindowsPage, UserFoldersAreShownWithTrailingBackslash) {
    const std::wstring documents = GetSpecialFolderPath(CSIDL_PERSONAL) + L"\\";
    const std::wstring appData = GetSpecialFolderPath(CSIDL_APPDATA) + L"\\";
    ASSERT_TRUE(IsDirectory(documents));
    ASSERT_TRUE(IsDirectory(appData));
    const WindowsFindings found = AnalyseRunningSystem();
    EXPECT_EQ(found.folders.documents, documents);
    EXPECT_EQ(found.folders.appData, appData);
}

TEST(WindowsPage, HtmlHelpFolderBelowAllUsersApplicationData) {
    const std::wstring common = GetSpecialFolderPath(CSIDL_COMMON_APPDATA);
    ASSERT_FALSE(common.empty());
    const std::wstring help = common + L"\\Microsoft\\HTML Help";
    {
        ScopedDirectory present(help, true);
        EXPECT_EQ(AnalyseRunningSystem().folders.htmlHelp, help + L"\\");
    }
    {
        ScopedDirectory absent(help, false);
        const WindowsFindings found = AnalyseRunningSystem();
        EXPECT_EQ(found.folders.htmlHelp, std::nullopt);
        EXPECT_NE(found.folders.documents, std::nullopt);
    }
}

TEST(WindowsPage, InternetExplorerVersionIsTheRegistryText) {
    {
        ScopedRegValue missing(HKEY_LOCAL_MACHINE, kIeKey, L"Version", std::nullopt);
        const WindowsFindings found = AnalyseRunningSystem();
        EXPECT_EQ(found.internetExplorerVersion, std::nullopt);
        EXPECT_EQ(found.name, L"Windows 7");
    }
    {
        ScopedRegValue present(HKEY_LOCAL_MACHINE, kIeKey, L"Version", L"6.0.2900.2180");
        EXPECT_EQ(AnalyseRunningSystem().internetExplorerVersion, L"6.0.2900.2180");
    }
    {
        const wchar_t text[] = L"8.0.6001";  // stored without its terminating NUL
        RawValue unterminated{REG_SZ, std::vector<BYTE>(reinterpret_cast<const BYTE*>(text),
                                                        reinterpret_cast<const BYTE*>(text) + 16)};
        ScopedRegValue present(HKEY_LOCAL_MACHINE, kIeKey, L"Version", unterminated);
        EXPECT_EQ(AnalyseRunningSystem().internetExplorerVersion, L"8.0.6001");
    }
    {
        ScopedRegValue number(HKEY_LOCAL_MACHINE, kIeKey, L"Version", RawValue{REG_DWORD, {1, 0, 0, 0}});
        EXPECT_EQ(AnalyseRunningSystem().internetExplorerVersion, std::nullopt);
    }
    const WindowsFindings injected = AnalyseWindows(6, {2, 5, 1, 2600}, [] { return std::wstring(L"7.0"); });
    EXPECT_EQ(injected.internetExplorerVersion, L"7.0");
}
