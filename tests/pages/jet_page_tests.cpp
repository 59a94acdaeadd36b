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
    const JetFindings found = AnalyseJet(dir.path());
    EXPECT_EQ(found.installedVersion, L"4.0.8618");
    ASSERT_EQ(found.files.size(), 6u);
    EXPECT_EQ(found.files[0].name, L"msjet40.dll");
    EXPECT_EQ(found.files[0].path, dir.path() + L"\\msjet40.dll");
    EXPECT_EQ(found.files[0].version, L"4.0.8618");
}

TEST(JetPage, NewerEngineShowsItsOwnVersion) {
    TempDir dir;
    ScopedFile jet(dir.path() + L"\\msjet40.dll", FixturePath(L"fx_ver_4_0_9025_0"));
    EXPECT_EQ(AnalyseJet(dir.path()).installedVersion, L"4.0.9025");
}

TEST(JetPage, MissingOrVersionlessEngineIsNotAvailable) {
    TempDir dir;
    const JetFindings missing = AnalyseJet(dir.path());
    EXPECT_EQ(missing.installedVersion, std::nullopt);
    ASSERT_EQ(missing.files.size(), 6u);
    EXPECT_EQ(missing.files[0].name, L"msjet40.dll");
    EXPECT_EQ(missing.files[0].path, std::nullopt);
    EXPECT_EQ(missing.files[0].version, std::nullopt);

    ScopedFile versionless(dir.path() + L"\\msjet40.dll", FixturePath(L"fx_no_version"));
    EXPECT_EQ(AnalyseJet(dir.path()).installedVersion, std::nullopt);
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
        EXPECT_EQ(files[i].name, names[i]);
        EXPECT_EQ(files[i].registrable, !noRegister[i]);
        if (i == 3) {
            EXPECT_EQ(files[i].path, std::nullopt);
            EXPECT_EQ(files[i].version, std::nullopt);
        } else {
            EXPECT_EQ(files[i].path, dir.path() + L"\\" + names[i]);
            EXPECT_EQ(files[i].version, L"4.0.9025");
        }
    }
}
