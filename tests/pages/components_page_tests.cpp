// The other components page against a folder that stands in for the system directory.
#include <gtest/gtest.h>

#include "analysis/ComponentsPage.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::FixturePath;
using qn::test::ScopedFile;
using qn::test::TempDir;

TEST(ComponentsPage, RevisionIsShownForScriptAndControlsOnly) {
    TempDir dir;
    ScopedFile runtime(dir.path() + L"\\MSVBVM60.DLL", FixturePath(L"fx_ver_6_0_98_2"));
    ScopedFile script(dir.path() + L"\\vbscript.DLL", FixturePath(L"fx_ver_5_6_0_8820"));
    ScopedFile bar(dir.path() + L"\\actbar2.ocx", FixturePath(L"fx_ver_5_1_2600_2180"));
    ScopedFile grid(dir.path() + L"\\gridex20.ocx", FixturePath(L"fx_ver_4_0_9025_0"));
    ScopedFile xml(dir.path() + L"\\msxml.dll", FixturePath(L"fx_ver_5_1_2600_2180"));
    const ComponentsPage page = AnalyseComponentsPage(dir.path());
    EXPECT_EQ(page.Label17, L"6.0.98");
    EXPECT_EQ(page.Label16, L"5.6.0 (Build 8820)");
    EXPECT_EQ(page.Label34, L"5.1.2600 (Build 2180)");
    EXPECT_EQ(page.Label36, L"4.0.9025 (Build 0)");
    EXPECT_EQ(page.Label38, L"5.1.2600");
    EXPECT_EQ(page.Frame3, L"Other Required Software Components");
    EXPECT_EQ(page.Label18, L"Visual Basic 6 Runtime:");
    EXPECT_EQ(page.Label15, L"VB Script Version:");
}

TEST(ComponentsPage, MissingComponentLeavesOthersAlone) {
    TempDir dir;
    ScopedFile script(dir.path() + L"\\vbscript.DLL", FixturePath(L"fx_ver_5_6_0_8820"));
    ScopedFile versionless(dir.path() + L"\\gridex20.ocx", FixturePath(L"fx_no_version"));
    const ComponentsPage page = AnalyseComponentsPage(dir.path());
    EXPECT_EQ(page.Label34, L"Not available");
    EXPECT_EQ(page.Label36, L"Not available");
    EXPECT_EQ(page.Label16, L"5.6.0 (Build 8820)");
}

TEST(ComponentsPage, GermanUserSeesGermanTexts) {
    TempDir dir;
    const ComponentsPage page = AnalyseComponentsPage(dir.path());
    EXPECT_EQ(page.Label34, L"Nicht vorhanden");
    EXPECT_EQ(page.Label17, L"Nicht vorhanden");
    EXPECT_EQ(page.Frame3, L"Weitere von Quillnest benötigte Software-Komponenten");
}
