// The Windows settings page against the running Wine system, its registry and its folders.
#include <gtest/gtest.h>

#include <shlobj.h>

#include <optional>

#include "analysis/WindowsPage.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::RawValue;
using qn::test::ScopedRegValue;
using qn::test::IsDirectory;
using qn::test::ScopedDirectory;
using qn::test::TempDir;

namespace {

const std::wstring kNotAvailable = L"Directory not available!";
const wchar_t kIeKey[] = L"Software\\Microsoft\\Internet Explorer";

// Sets an environment variable of this process for the test's lifetime.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
        WCHAR old[32768];
        const DWORD length = ::GetEnvironmentVariableW(name_.c_str(), old, 32768);
        if (length > 0 && length < 32768) previous_ = std::wstring(old, length);
        ::SetEnvironmentVariableW(name_.c_str(), value.c_str());
    }
    ~ScopedEnvironment() { ::SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr); }
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

WindowsPage AnalyseRunningSystem() {
    const OsVersion os = QueryOsVersion();
    return AnalyseWindowsPage(ClassifyWindowsVersion(os.platformId, os.major, os.minor), os);
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
    EXPECT_EQ(WindowsVersionName(0, {1, 4, 3, 0}), L"Not available");
    EXPECT_EQ(WindowsVersionName(7, {2, 5, 2, 3790}), L"Not available");
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
    const WindowsPage page = AnalyseRunningSystem();
    EXPECT_EQ(page.Label2, L"Windows 7");
    EXPECT_EQ(page.Label4, L"1033");
    EXPECT_EQ(page.Label5, L"1252");
    EXPECT_EQ(page.Frame1, L"Windows Settings");
    EXPECT_EQ(page.Label1, L"Windows version:");
    EXPECT_EQ(page.Frame2, L"System Folder Settings");
    EXPECT_EQ(page.Label26, L"HTML Help Directory:");
}

TEST(WindowsPage, GermanUserSeesGermanLanguageIdAndTexts) {
    EXPECT_EQ(AnalyseRunningSystem().Label4, L"1031");
    const WindowsPage unknown = AnalyseWindowsPage(0, {1, 4, 3, 0});
    EXPECT_EQ(unknown.Label2, L"Nicht vorhanden");
    EXPECT_EQ(unknown.Label3, L"Benutzer-Spracheinstellung:");
    EXPECT_EQ(unknown.Label5, L"1252");
    EXPECT_EQ(FolderText(L""), L"Directory not available!");
}

TEST(FolderText, OnlyExistingDirectoriesAreShown) {
    TempDir dir;
    EXPECT_EQ(FolderText(dir.path() + L"\\"), dir.path() + L"\\");
    EXPECT_EQ(FolderText(dir.path() + L"\\missing\\"), kNotAvailable);
    EXPECT_EQ(FolderText(L""), kNotAvailable);
    EXPECT_EQ(FolderText(L"Q:\\no drive here\\"), kNotAvailable);
    qn::test::ScopedFile file(dir.path() + L"\\plain.txt", L"");
    EXPECT_EQ(FolderText(file.path()), kNotAvailable);
    EXPECT_EQ(FolderText(file.path() + L"\\"), kNotAvailable);
}

TEST(TempFolder, FollowsTheSystemsTemporaryPath) {
    TempDir dir;
    const std::wstring folder = dir.path() + L"\\Temp Files";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr)) << ::GetLastError();
    {
        ScopedEnvironment tmp(L"TMP", folder);
        EXPECT_EQ(TempFolderText(), folder + L"\\");
        EXPECT_EQ(AnalyseRunningSystem().Label32, folder + L"\\");
    }
    {
        ScopedEnvironment tmp(L"TMP", folder + L"\\gone");
        EXPECT_EQ(TempFolderText(), kNotAvailable);
    }
    {
        // Longer than the buffer: the system reports the size it would need and writes nothing.
        ScopedEnvironment tmp(L"TMP", dir.path() + L"\\" + std::wstring(600, L'x'));
        EXPECT_EQ(TempFolderText(), kNotAvailable);
    }
}

TEST(FolderText, NonAnsiFolderNamesSurvive) {
    TempDir dir;
    const std::wstring folder = dir.path() + L"\\Zażółć gęślą jaźń Ελληνικά";
    if (!::CreateDirectoryW(folder.c_str(), nullptr)) {
        // Wine names files in the charset of the Unix locale and falls back to ASCII when that
        // locale is not installed; such a prefix cannot hold this folder at all.
        ASSERT_EQ(::GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
        GTEST_SKIP() << "this Wine prefix cannot hold non-ASCII file names (Unix locale not installed)";
    }
    EXPECT_EQ(FolderText(folder + L"\\"), folder + L"\\");
    ScopedEnvironment tmp(L"TMP", folder);
    EXPECT_EQ(TempFolderText(), folder + L"\\");
}

TEST(WindowsPage, UserFoldersAreShownWithTrailingBackslash) {
    const std::wstring documents = GetSpecialFolderPath(CSIDL_PERSONAL) + L"\\";
    const std::wstring appData = GetSpecialFolderPath(CSIDL_APPDATA) + L"\\";
    ASSERT_TRUE(IsDirectory(documents));
    ASSERT_TRUE(IsDirectory(appData));
    const WindowsPage page = AnalyseRunningSystem();
    EXPECT_EQ(page.Label29, documents);
    EXPECT_EQ(page.Label30, appData);
}

TEST(WindowsPage, HtmlHelpFolderBelowAllUsersApplicationData) {
    const std::wstring common = GetSpecialFolderPath(CSIDL_COMMON_APPDATA);
    ASSERT_FALSE(common.empty());
    const std::wstring help = common + L"\\Microsoft\\HTML Help";
    {
        ScopedDirectory present(help, true);
        EXPECT_EQ(AnalyseRunningSystem().Label27, help + L"\\");
    }
    {
        ScopedDirectory absent(help, false);
        const WindowsPage page = AnalyseRunningSystem();
        EXPECT_EQ(page.Label27, kNotAvailable);
        EXPECT_NE(page.Label29, kNotAvailable);
    }
}

TEST(WindowsPage, InternetExplorerVersionIsTheRegistryText) {
    {
        ScopedRegValue missing(HKEY_LOCAL_MACHINE, kIeKey, L"Version", std::nullopt);
        const WindowsPage page = AnalyseRunningSystem();
        EXPECT_EQ(page.Label13, L"");
        EXPECT_EQ(page.Label14, L"Internet Explorer Version:");
        EXPECT_EQ(page.Label2, L"Windows 7");
    }
    {
        ScopedRegValue present(HKEY_LOCAL_MACHINE, kIeKey, L"Version", L"6.0.2900.2180");
        EXPECT_EQ(AnalyseRunningSystem().Label13, L"6.0.2900.2180");
    }
    {
        const wchar_t text[] = L"8.0.6001";  // stored without its terminating NUL
        RawValue unterminated{REG_SZ, std::vector<BYTE>(reinterpret_cast<const BYTE*>(text),
                                                        reinterpret_cast<const BYTE*>(text) + 16)};
        ScopedRegValue present(HKEY_LOCAL_MACHINE, kIeKey, L"Version", unterminated);
        EXPECT_EQ(AnalyseRunningSystem().Label13, L"8.0.6001");
    }
    {
        ScopedRegValue number(HKEY_LOCAL_MACHINE, kIeKey, L"Version", RawValue{REG_DWORD, {1, 0, 0, 0}});
        EXPECT_EQ(AnalyseRunningSystem().Label13, L"");
    }
    const WindowsPage injected = AnalyseWindowsPage(6, {2, 5, 1, 2600}, [] { return std::wstring(L"7.0"); });
    EXPECT_EQ(injected.Label13, L"7.0");
}
