// Version reading, version texts and component records against real DLLs with real resources.
#include <gtest/gtest.h>

#include "analysis/FileInfo.h"
#include "platform/Strings.h"
#include "platform/modAPI.h"
#include "resources/resource.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::FixturePath;

TEST(FileVersion, ShowsMajorMinorBuildWithoutRevision) {
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_ver_4_0_8618_0"), false), L"4.0.8618");
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_ver_2_0_50727_42"), false), L"2.0.50727");
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_ver_zero"), false), L"0.0.0");
}

TEST(FileVersion, AppendsRevisionAsBuildWhenAsked) {
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_ver_5_1_2600_2180"), true), L"5.1.2600 (Build 2180)");
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_ver_zero"), true), L"0.0.0 (Build 0)");
}

TEST(FileVersion, PartsAreUnsignedSixteenBit) {
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_ver_65535"), true), L"65535.65535.65535 (Build 65535)");
}

TEST(FileVersion, MissingOrVersionlessFileGivesNotAvailable) {
    const std::wstring expected = LoadResString(IDS_NOT_AVAILABLE);
    EXPECT_EQ(expected, UserTextLanguage() == 1031 ? L"Nicht vorhanden" : L"Not available");
    EXPECT_EQ(GetFileVersionText(FixturePath(L"fx_no_version"), false), expected);
    EXPECT_EQ(GetFileVersionText(L"C:\\does\\not\\exist.dll", true), expected);
    EXPECT_EQ(GetFileVersionText(L"", false), expected);
}

TEST(FileVersion, GermanUserSeesGermanFallback) {
    EXPECT_EQ(UserTextLanguage(), 1031);
    EXPECT_EQ(GetFileVersionText(L"C:\\does\\not\\exist.dll", false), L"Nicht vorhanden");
}

TEST(FileVersion, ReadFixedFileInfoLeavesRecordUntouchedOnFailure) {
    VS_FIXEDFILEINFO info{};
    info.dwFileVersionMS = 0x12345678;
    EXPECT_FALSE(ReadFixedFileInfo(FixturePath(L"fx_no_version"), info));
    EXPECT_EQ(info.dwFileVersionMS, 0x12345678u);
    EXPECT_TRUE(ReadFixedFileInfo(FixturePath(L"fx_ver_4_0_8618_0"), info));
    EXPECT_EQ(info.dwFileVersionMS, 0x00040000u);
    EXPECT_EQ(info.dwFileVersionLS, 0x21AA0000u);
    // The fixtures' product version differs, so that every version test would catch a read
    // of the wrong field.
    EXPECT_NE(info.dwProductVersionMS, info.dwFileVersionMS);
    EXPECT_NE(info.dwProductVersionLS, info.dwFileVersionLS);
}

TEST(FileVersion, ZeroByteFileHasNoVersion) {
    qn::test::TempDir dir;
    qn::test::ScopedFile empty(dir.path() + L"\\msjet40.dll", L"");
    VS_FIXEDFILEINFO info{};
    EXPECT_FALSE(ReadFixedFileInfo(empty.path(), info));
}

TEST(ComponentRecord, PresentFileKeepsPathExactlyAsPassed) {
    qn::test::TempDir dir;
    qn::test::ScopedFile file(dir.path() + L"\\MsJet40.DLL", FixturePath(L"fx_ver_4_0_8618_0"));
    const FileInfo record = GetFileInfo(file.path());
    EXPECT_EQ(record.FileName, L"MsJet40.DLL");
    EXPECT_EQ(record.FilePath, file.path());
    EXPECT_EQ(record.FileVersion, L"4.0.8618");
    EXPECT_FALSE(record.NoRegister);
}

TEST(ComponentRecord, MissingAndVersionlessFilesLookTheSame) {
    const FileInfo missing = GetFileInfo(L"C:\\nowhere\\msjint40.dll");
    EXPECT_EQ(missing.FileName, L"msjint40.dll");
    EXPECT_EQ(missing.FilePath, L"Not found");
    EXPECT_EQ(missing.FileVersion, L"N/A");

    const FileInfo versionless = GetFileInfo(FixturePath(L"fx_no_version"));
    EXPECT_EQ(versionless.FileName, L"fx_no_version.dll");
    EXPECT_EQ(versionless.FilePath, L"Not found");
    EXPECT_EQ(versionless.FileVersion, L"N/A");
}

TEST(ComponentRecord, DirectoryNamedLikeComponentIsNotFound) {
    qn::test::TempDir dir;
    const std::wstring folder = dir.path() + L"\\MSADO15.DLL";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const FileInfo record = GetFileInfo(folder);
    EXPECT_EQ(record.FilePath, L"Not found");
    EXPECT_EQ(record.FileVersion, L"N/A");
}

TEST(ComponentRecord, CollectFilesKeepsOrderAndFlags) {
    qn::test::TempDir dir;
    qn::test::ScopedFile present(dir.path() + L"\\b.dll", FixturePath(L"fx_ver_10_1_0_0"));
    const ComponentFile files[] = {{L"\\a.dll", true}, {L"\\b.dll", false}, {L"\\c.dll", true}};
    const FileList list = CollectFiles(dir.path(), files);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].FileName, L"a.dll");
    EXPECT_EQ(list[0].FilePath, L"Not found");
    EXPECT_EQ(list[1].FileVersion, L"10.1.0");
    EXPECT_TRUE(list[1].NoRegister);
    EXPECT_FALSE(list[2].NoRegister);
}

TEST(FileName, OnlyTheBackslashSeparates) {
    EXPECT_EQ(GetFile(L"msjet40.dll"), L"msjet40.dll");
    EXPECT_EQ(GetFile(L"C:\\dir\\"), L"");
    EXPECT_EQ(GetFile(L"C:/dir/x.dll"), L"C:/dir/x.dll");
    EXPECT_EQ(GetFile(L"C:\\WINDOWS\\system32\\msjet40.dll"), L"msjet40.dll");
    EXPECT_EQ(GetFile03(L"C:\\a/b\\c/d.dll"), L"c/d.dll");
    EXPECT_EQ(GetFile(L""), L"");
}
