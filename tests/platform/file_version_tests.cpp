// Version reading, version texts and component records against real DLLs with real resources.
#include <gtest/gtest.h>

#include "analysis/FileInfo.h"
#include "platform/Strings.h"
#include "platform/FileVersion.h"
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
    EXPECT_EQ(record.name, L"MsJet40.DLL");
    EXPECT_EQ(record.path, file.path());
    EXPECT_EQ(record.version, L"4.0.8618");
    EXPECT_TRUE(record.registrable);
    EXPECT_TRUE(IsInstalled(record));
}

TEST(ComponentRecord, MissingFileHasNeitherPathNorVersionVersionlessFileHasAPath) {
    const FileInfo missing = GetFileInfo(L"C:\\nowhere\\msjint40.dll");
    EXPECT_EQ(missing.name, L"msjint40.dll");
    EXPECT_EQ(missing.path, std::nullopt);
    EXPECT_EQ(missing.version, std::nullopt);

    const FileInfo versionless = GetFileInfo(FixturePath(L"fx_no_version"));
    EXPECT_EQ(versionless.name, L"fx_no_version.dll");
    EXPECT_EQ(versionless.path, FixturePath(L"fx_no_version"));
    EXPECT_EQ(versionless.version, std::nullopt);
    EXPECT_FALSE(IsInstalled(versionless));
}

TEST(ComponentRecord, DirectoryNamedLikeComponentIsNotFound) {
    qn::test::TempDir dir;
    const std::wstring folder = dir.path() + L"\\MSADO15.DLL";
    ASSERT_TRUE(::CreateDirectoryW(folder.c_str(), nullptr));
    const FileInfo record = GetFileInfo(folder);
    EXPECT_EQ(record.path, std::nullopt);
    EXPECT_EQ(record.version, std::nullopt);
}

TEST(ComponentRecord, CollectFilesKeepsOrderAndFlags) {
    qn::test::TempDir dir;
    qn::test::ScopedFile present(dir.path() + L"\\b.dll", FixturePath(L"fx_ver_10_1_0_0"));
    const ComponentFile files[] = {{L"\\a.dll", true}, {L"\\b.dll", false}, {L"\\c.dll", true}};
    const FileList list = CollectFiles(dir.path(), files);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[0].name, L"a.dll");
    EXPECT_EQ(list[0].path, std::nullopt);
    EXPECT_EQ(list[1].version, L"10.1.0");
    EXPECT_FALSE(list[1].registrable);
    EXPECT_TRUE(list[2].registrable);

    // A long list is read by two threads, or by one when asked: the same records in both cases,
    // in the list's order.
    qn::test::ScopedFile last(dir.path() + L"\\i.dll", FixturePath(L"fx_ver_10_1_0_0"));
    const ComponentFile longList[] = {{L"\\a.dll", true}, {L"\\b.dll", false}, {L"\\c.dll", true},
                                      {L"\\d.dll", true}, {L"\\e.dll", true},  {L"\\f.dll", true},
                                      {L"\\g.dll", true}, {L"\\h.dll", true},  {L"\\i.dll", false}};
    for (const ListReaders readers : {ListReaders::Two, ListReaders::One}) {
        const FileList read = CollectFiles(dir.path(), longList, readers);
        ASSERT_EQ(read.size(), std::size(longList));
        for (size_t i = 0; i < read.size(); ++i) {
            EXPECT_EQ(read[i].name, std::wstring(longList[i].relativePath + 1));
            EXPECT_EQ(read[i].registrable, longList[i].registered);
            EXPECT_EQ(read[i].version.has_value(), i == 1 || i == 8);
        }
    }
}

TEST(FileName, OnlyTheBackslashSeparates) {
    EXPECT_EQ(GetFile(L"msjet40.dll"), L"msjet40.dll");
    EXPECT_EQ(GetFile(L"C:\\dir\\"), L"");
    EXPECT_EQ(GetFile(L"C:/dir/x.dll"), L"C:/dir/x.dll");
    EXPECT_EQ(GetFile(L"C:\\WINDOWS\\system32\\msjet40.dll"), L"msjet40.dll");
    EXPECT_EQ(GetFile03(L"C:\\a/b\\c/d.dll"), L"c/d.dll");
    EXPECT_EQ(GetFile(L""), L"");
}
