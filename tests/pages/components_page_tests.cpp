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
    const ComponentVersions found = AnalyseComponents(dir.path());
    EXPECT_EQ(found.vbRuntime, L"6.0.98");
    EXPECT_EQ(found.vbScript, L"5.6.0 (Build 8820)");
    EXPECT_EQ(found.activeBar2, L"5.1.2600 (Build 2180)");
    EXPECT_EQ(found.gridEx20, L"4.0.9025 (Build 0)");
    EXPECT_EQ(found.msxml, L"5.1.2600");
}

TEST(ComponentsPage, MissingComponentLeavesOthersAlone) {
    TempDir dir;
    ScopedFile script(dir.path() + L"\\vbscript.DLL", FixturePath(L"fx_ver_5_6_0_8820"));
    ScopedFile versionless(dir.path() + L"\\gridex20.ocx", FixturePath(L"fx_no_version"));
    const ComponentVersions found = AnalyseComponents(dir.path());
    EXPECT_EQ(found.activeBar2, std::nullopt);
    EXPECT_EQ(found.gridEx20, std::nullopt);
    EXPECT_EQ(found.vbScript, L"5.6.0 (Build 8820)");
}
