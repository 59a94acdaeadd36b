// The Jet 4.0 page against a folder that stands in for the system directory.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "analysis/JetPage.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::FixturePath;
using qn::test::ScopedFile;
using qn::test::TempDir;

TEST(JetPage, InstalledEngineIsShownWithoutRevisionAndListedWithPath) {
    TempDir dir;
    ScopedFile jet(dir.path() + L"\\msjet40.dll", FixturePath(L"fx_ver_4_0_8618_0"));
    const JetPage page = AnalyseJetPage(dir.path());
    EXPECT_EQ(page.Label24, L"4.0.8618");
    ASSERT_EQ(page.JetFiles.size(), 6u);
    EXPECT_EQ(page.JetFiles[0].FileName, L"msjet40.dll");
    EXPECT_EQ(page.JetFiles[0].FilePath, dir.path() + L"\\msjet40.dll");
    EXPECT_EQ(page.JetFiles[0].FileVersion, L"4.0.8618");
    EXPECT_EQ(page.Label25, L"Installed version of MS Jet 4.0 database module:");
    EXPECT_EQ(page.Label23, L"Currently at Microsoft available version for MS Jet 4.0:");
    EXPECT_EQ(page.Command3, L"Re-register MS Jet 4.0");
    EXPECT_EQ(page.Label9, L"Available Jet 4.0 System Files:");
}

TEST(JetPage, NewerEngineShowsItsOwnVersion) {
    TempDir dir;
    ScopedFile jet(dir.path() + L"\\msjet40.dll", FixturePath(L"fx_ver_4_0_9025_0"));
    EXPECT_EQ(AnalyseJetPage(dir.path()).Label24, L"4.0.9025");
}

TEST(JetPage, MissingOrVersionlessEngineIsNotAvailable) {
    TempDir dir;
    const JetPage missing = AnalyseJetPage(dir.path());
    EXPECT_EQ(missing.Label24, L"Not available");
    ASSERT_EQ(missing.JetFiles.size(), 6u);
    EXPECT_EQ(missing.JetFiles[0].FileName, L"msjet40.dll");
    EXPECT_EQ(missing.JetFiles[0].FilePath, L"Not found");
    EXPECT_EQ(missing.JetFiles[0].FileVersion, L"N/A");

    ScopedFile versionless(dir.path() + L"\\msjet40.dll", FixturePath(L"fx_no_version"));
    EXPECT_EQ(AnalyseJetPage(dir.path()).Label24, L"Not available");
}

TEST(JetPage, SixFilesInFixedOrderAndOnlyTheServersAreRegistered) {
    TempDir dir;
    const wchar_t* const names[] = {L"msjet40.dll",  L"msjtes40.dll", L"msjetoledb40.dll",
                                    L"mswstr10.dll", L"msjint40.dll", L"msjter40.dll"};
    const bool noRegister[] = {false, false, false, true, true, true};
    std::vector<std::unique_ptr<ScopedFile>> present;
    for (const wchar_t* name : names) {
        if (std::wstring(name) != L"mswstr10.dll") {
            present.push_back(std::make_unique<ScopedFile>(dir.path() + L"\\" + name,
                                                           FixturePath(L"fx_ver_4_0_9025_0")));
        }
    }
    const FileList files = CollectJetFiles(dir.path());
    ASSERT_EQ(files.size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(files[i].FileName, names[i]);
        EXPECT_EQ(files[i].NoRegister, noRegister[i]);
        if (i == 3) {
            EXPECT_EQ(files[i].FilePath, L"Not found");
            EXPECT_EQ(files[i].FileVersion, L"N/A");
        } else {
            EXPECT_EQ(files[i].FilePath, dir.path() + L"\\" + names[i]);
            EXPECT_EQ(files[i].FileVersion, L"4.0.9025");
        }
    }
}

TEST(JetPage, GermanUserSeesGermanTexts) {
    TempDir dir;
    const JetPage page = AnalyseJetPage(dir.path());
    EXPECT_EQ(page.Label24, L"Nicht vorhanden");
    EXPECT_EQ(page.Label9, L"Vorhandene Jet 4.0-Systemdateien");
    EXPECT_EQ(page.Command3, L"MS Jet 4.0 neu registrieren");
}
