// Re-registering the MDAC files from the real window.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <shlobj.h>

#include "RepairHelpers.h"
#include "platform/RegFile.h"
#include "platform/SystemMessage.h"
#include "platform/ShellFolders.h"

using namespace qn;
using namespace qn::test;

namespace {

const Placement kAllRegistering(kMdacCount, L"fx_reg_ok");

std::vector<std::wstring> ExpectedMdacCalls(const ScopedComponents& files, const Placement& placement) {
    return ExpectedCalls(files, kMdacRows, placement);
}

}  // namespace

TEST(MdacRepair, RegistersTheTwentyOneServersInListOrderByTheirLongPathAndUnloadsThem) {
    const ScopedComponents files = ScopedComponents::Mdac(kAllRegistering);
    const RegistrationLog log;
    FormDriver window;

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    const std::vector<std::wstring> expected = ExpectedMdacCalls(files, kAllRegistering);
    ASSERT_EQ(expected.size(), 21u);
    EXPECT_EQ(log.LongCalls(), expected);
    // A server writes the module name it sees into the registry: the path the installer wrote,
    // never its 8.3 form ("Common Files" has one).
    std::vector<std::wstring> listed;
    for (size_t i = 0; i < kMdacCount; ++i) {
        if (kMdacRows[i].registered) listed.push_back(files.Path(i));
    }
    EXPECT_EQ(log.Calls(), listed);
    for (size_t i = 0; i < kMdacCount; ++i) EXPECT_FALSE(IsLoaded(files.Path(i))) << Narrow(files.Path(i));

    const ProgressState progress = ReadProgress(window.control(Ctl::ProgressBar1));
    EXPECT_EQ(progress.minimum, 0);
    EXPECT_EQ(progress.maximum, 28);
    EXPECT_EQ(progress.position, 28);
}

TEST(MdacRepair, LinkIsHiddenWhileItRunsAndShownAgainAfterwards) {
    const ScopedComponents files = ScopedComponents::Mdac(kAllRegistering);
    const ScopedRegValue equal = InstalledMdac(L"2.80.1022.3");
    FormDriver window;
    ASSERT_TRUE(window.Visible(Ctl::Label19));
    ::SetFocus(window.control(Ctl::lvwMDACFiles));

    std::vector<int> positions;
    std::vector<RepairPageState> during;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int position) {
        positions.push_back(position);
        during.push_back(ReadRepairPage(window, Ctl::Command1, Ctl::ProgressBar1));
    });
    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    std::vector<int> everyFile(kMdacCount);
    for (size_t i = 0; i < kMdacCount; ++i) everyFile[i] = static_cast<int>(i + 1);
    EXPECT_EQ(positions, everyFile);
    for (size_t i = 0; i < during.size(); ++i) {
        EXPECT_FALSE(during[i].buttonVisible) << i;
        EXPECT_TRUE(during[i].barVisible) << i;
        EXPECT_FALSE(during[i].linkVisible) << i;
        EXPECT_TRUE(during[i].hourglass) << i;
        EXPECT_EQ(during[i].fileLabel, files.Name(i)) << i;  // the file just handled
        // Named, not yet drawn: the name waits for the window's next paint.
        EXPECT_FALSE(during[i].fileLabelDrawn) << i;
    }
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    EXPECT_TRUE(window.Visible(Ctl::Label19));
    EXPECT_TRUE(window.Visible(Ctl::Label21));
}

TEST(MdacRepair, LinkHiddenByTheAnalysisStaysHidden) {
    const ScopedComponents files = ScopedComponents::Mdac(Placement(kMdacCount));
    const ScopedRegValue newer = InstalledMdac(L"2.81.1117.0");
    FormDriver window;
    std::vector<bool> linkDuring;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1),
                              [&](int) { linkDuring.push_back(window.Visible(Ctl::Label19)); });
    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());
    EXPECT_EQ(linkDuring, std::vector<bool>(kMdacCount, false));
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    EXPECT_FALSE(window.Visible(Ctl::Label19));
}

TEST(MdacRepair, MissingFilesAdvanceTheProgressSilently) {
    Placement placement = kAllRegistering;
    for (size_t i = 0; i < kMdacCount; i += 3) placement[i] = L"";
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    const RegistrationLog log;
    FormDriver window;
    int steps = 0;
    const ProgressProbe probe(window.control(Ctl::ProgressBar1), [&](int) { ++steps; });

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());
    EXPECT_EQ(log.LongCalls(), ExpectedMdacCalls(files, placement));
    EXPECT_EQ(steps, 28);
    EXPECT_EQ(ReadProgress(window.control(Ctl::ProgressBar1)).position, 28);
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
}

TEST(MdacRepair, LooksForTheFilesAnewButLeavesTheListAsTheAnalysisShowedIt) {
    Placement placement = kAllRegistering;
    placement[0] = L"";
    ScopedComponents files = ScopedComponents::Mdac(placement);
    const RegistrationLog log;
    FormDriver window;
    ASSERT_EQ(window.Rows(Ctl::lvwMDACFiles).at(0).path, L"Not found");

    files.Place(0, L"fx_reg_ok");
    files.Remove(2);  // MSADOR15.DLL, listed with its path
    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());

    Placement now = kAllRegistering;
    now[2] = L"";
    EXPECT_EQ(log.LongCalls(), ExpectedMdacCalls(files, now));
    const std::vector<Row> rows = window.Rows(Ctl::lvwMDACFiles);
    EXPECT_EQ(rows.at(0).path, L"Not found");
    EXPECT_EQ(rows.at(2).path, files.Path(2));
}

TEST(MdacRepair, FailuresGoOnAndAreListedInOneWarningAfterThePageIsBack) {
    Placement placement = kAllRegistering;
    placement[0] = L"fx_reg_denied";          // MSADO15.DLL
    placement[2] = L"";                       // MSADOR15.DLL: missing, not a failure
    placement[17] = L"fx_no_export";          // OLEDB32.DLL
    placement[25] = L"fx_reg_typelib_denied"; // MSDAPS.DLL
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    const ScopedRegValue equal = InstalledMdac(L"2.80.1022.3");
    const RegistrationLog log;
    FormDriver window;

    RepairPageState behindTheBox;
    const std::vector<SeenMessageBox> boxes = ClickAndConfirm(window, Ctl::Command1, [&] {
        behindTheBox = ReadRepairPage(window, Ctl::Command1, Ctl::ProgressBar1);
    });

    // Every file was tried; only the one without the export never ran its code.
    Placement called = placement;
    called[17] = L"";
    EXPECT_EQ(log.LongCalls(), ExpectedMdacCalls(files, called));

    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Re-registration failed");
    const std::wstring& text = boxes[0].text;
    EXPECT_EQ(text.rfind(L"The following files could not be registered:", 0), 0u) << Narrow(text);
    ASSERT_TRUE(window.form().LastBackup());
    ExpectInOrder(text, {files.Path(0), L"DllRegisterServer failed with error code 0x80070005.",
                         SystemMessage(0x80070005),
                         files.Path(17), L"The entry point DllRegisterServer was not found.",
                         files.Path(25), L"DllRegisterServer failed with error code 0x8002801C.",
                         L"The previous registry entries were saved to:", *window.form().LastBackup(),
                         L"Please start the program as an administrator and try again."});
    // The backup holds the live state of what the registered files would write (these write
    // nothing): a regedit file in the user's local application data.
    const std::optional<std::wstring> backup = ReadUtf16File(*window.form().LastBackup());
    ASSERT_TRUE(backup);
    EXPECT_EQ(*backup, L"Windows Registry Editor Version 5.00\r\n");
    EXPECT_EQ(window.form().LastBackup()->rfind(GetSpecialFolderPath(CSIDL_LOCAL_APPDATA) + L"\\QNRepair\\", 0), 0u);
    ::DeleteFileW(window.form().LastBackup()->c_str());
    EXPECT_FALSE(Contains(text, files.Path(2)));
    EXPECT_FALSE(Contains(text, files.Path(3)));
    const std::wstring adminLine = L"Please start the program as an administrator and try again.";
    EXPECT_EQ(text.substr(text.size() - adminLine.size()), adminLine);

    EXPECT_TRUE(behindTheBox.buttonVisible);
    EXPECT_FALSE(behindTheBox.hourglass);
    EXPECT_FALSE(behindTheBox.barVisible);
    EXPECT_TRUE(behindTheBox.linkVisible);
    EXPECT_EQ(behindTheBox.fileLabel, L"");
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
    for (size_t i = 0; i < kMdacCount; ++i) EXPECT_FALSE(IsLoaded(files.Path(i))) << Narrow(files.Path(i));
}

TEST(MdacRepair, UnloadableFilesAndMissingExportsDoNotAskForAnAdministrator) {
    Placement placement(kMdacCount);
    placement[0] = L"fx_other_width";  // carries a version, but is no module for this process
    placement[26] = L"fx_no_export";
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    FormDriver window;
    ASSERT_EQ(window.Rows(Ctl::lvwMDACFiles).at(0).version, L"2.80.1022");

    const std::vector<SeenMessageBox> boxes = ClickAndConfirm(window, Ctl::Command1);
    ASSERT_EQ(boxes.size(), 1u);
    const std::wstring& text = boxes[0].text;
    std::wstring reason = SystemMessage(ERROR_BAD_EXE_FORMAT);
    if (const size_t insert = reason.find(L"%1"); insert != std::wstring::npos) reason.replace(insert, 2, files.Path(0));
    ExpectInOrder(text, {files.Path(0), L"The file could not be loaded. " + reason, files.Path(26),
                         L"The entry point DllRegisterServer was not found."});
    EXPECT_FALSE(Contains(text, L"administrator")) << Narrow(text);
}

TEST(MdacRepair, DependencyBesideTheProgramIsNeverLoaded) {
    const PlantedDependency plant;
    Placement placement(kMdacCount);
    placement[0] = L"fx_dep_user";  // its dependency is not installed beside it
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    FormDriver window;

    const std::vector<SeenMessageBox> boxes = ClickAndConfirm(window, Ctl::Command1);
    ASSERT_EQ(boxes.size(), 1u);
    ExpectInOrder(boxes[0].text, {files.Path(0), L"The file could not be loaded. " + SystemMessage(ERROR_MOD_NOT_FOUND)});
    EXPECT_FALSE(plant.WasLoaded());

    const std::wstring& server = files.Path(0);
    const ScopedFile installed(server.substr(0, server.rfind(L'\\')) + L"\\fx_dep_base.dll", PlantedDependency::Genuine());
    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());
    EXPECT_FALSE(plant.WasLoaded());
}

TEST(MdacRepair, PathsWithoutTheCommonFilesFolderAreNeverLoaded) {
    // Without the common files folder the records hold "\\System\\ado\\...", which the system
    // would complete from the current drive's root: there a file may lie that anybody can put.
    const ScopedCurrentDirectory root(L"C:\\");
    const ScopedDirectory folder(L"C:\\System", true);
    const ScopedFile planted(L"C:\\System\\ado\\MSADOX.DLL", FixturePath(L"fx_reg_ok"));
    const ScopedRegValue noCommonFiles(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Windows\\CurrentVersion",
                                       L"CommonFilesDir", std::wstring());
    ASSERT_EQ(GetSpecialFolderPath(CSIDL_PROGRAM_FILES_COMMON), L"") << "the shell still gives the folder";
    const RegistrationLog log;
    FormDriver window;
    ASSERT_EQ(window.Rows(Ctl::lvwMDACFiles).at(5), (Row{L"MSADOX.DLL", L"2.80.1022", L"\\System\\ado\\MSADOX.DLL"}));

    EXPECT_TRUE(ClickAndConfirm(window, Ctl::Command1).empty());
    EXPECT_TRUE(log.Calls().empty());
    ExpectRepairFinished(window, Ctl::Command1, Ctl::ProgressBar1);
}

TEST(MdacRepair, GermanUserGetsTheWarningInGerman) {
    Placement placement(kMdacCount);
    placement[0] = L"fx_reg_denied";
    const ScopedComponents files = ScopedComponents::Mdac(placement);
    FormDriver window;
    const std::vector<SeenMessageBox> boxes = ClickAndConfirm(window, Ctl::Command1);
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].title, L"Neu registrieren fehlgeschlagen");
    ExpectInOrder(boxes[0].text, {L"Folgende Dateien konnten nicht registriert werden:", files.Path(0),
                                  L"DllRegisterServer ist mit dem Fehlercode 0x80070005 fehlgeschlagen.",
                                  L"Bitte starten Sie das Programm als Administrator und versuchen Sie es erneut."});
}
