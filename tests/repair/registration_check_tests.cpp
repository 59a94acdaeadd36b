// Checking registrations without changing the registry, and undoing a repair from its backup:
// fixture components that register known keys, run through the real program as capture host.
#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/RegFile.h"
#include "platform/RegistryTree.h"
#include "platform/Strings.h"
#include "platform/SystemLibrary.h"
#include "repair/RegistrationCheck.h"
#include "repair/RegistrationReport.h"
#include "repair/RegistryBackup.h"
#include "support/ChildProcess.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::FixturePath;
using qn::test::ProgramPath;

namespace {

using qn::test::kFixtureClassKey;
using qn::test::kFixtureMachineKey;
using qn::test::kFixtureProgIdKey;
using qn::test::kFixtureServerKey;
using qn::test::kFixtureUserKey;

// A software tree without the keys Wine keeps up to date itself, at any moment of a run: its
// own settings (it rewrites the fonts' code pages whenever a program of another language starts
// in the prefix, as the German suites beside this one do) and the machine's network cards (listed
// whenever Wine's network service comes up and finds one), in the 64-bit view and the 32-bit one.
RegTree SoftwareKeysWithoutWinesOwn(HKEY root) {
    RegTree tree = ReadRegTree(root, L"Software");
    const auto isWines = [](std::wstring_view key) {
        constexpr std::wstring_view kThirtyTwoBitView = L"Wow6432Node\\";
        if (key.starts_with(kThirtyTwoBitView)) key.remove_prefix(kThirtyTwoBitView.size());
        for (const std::wstring_view own : {L"Wine", L"Microsoft\\Windows NT\\CurrentVersion\\NetworkCards"}) {
            if (key == own || (key.starts_with(own) && key.size() > own.size() && key[own.size()] == L'\\')) return true;
        }
        return false;
    };
    std::erase_if(tree.keys, isWines);
    std::erase_if(tree.values, [&](const RegTreeValue& value) { return isWines(value.key); });
    return tree;
}

RegTree UserSoftwareKeys() { return SoftwareKeysWithoutWinesOwn(HKEY_CURRENT_USER); }

// Everything a check could touch by mistake: the machine's and the user's software keys (the
// classes of both among them). About six seconds under Wine.
struct LiveRegistry {
    RegTree machine = SoftwareKeysWithoutWinesOwn(HKEY_LOCAL_MACHINE);
    RegTree user = UserSoftwareKeys();
    bool operator==(const LiveRegistry&) const = default;
};

// Where two readings of a tree part first, for a failure message.
std::wstring FirstDifference(const RegTree& now, const RegTree& before) {
    for (size_t i = 0; i < now.keys.size() && i < before.keys.size(); ++i) {
        if (now.keys[i] != before.keys[i]) return L"key " + now.keys[i] + L" where " + before.keys[i] + L" was";
    }
    if (now.keys.size() != before.keys.size()) return L"the number of keys";
    for (size_t i = 0; i < now.values.size() && i < before.values.size(); ++i) {
        if (!(now.values[i] == before.values[i])) return L"value " + now.values[i].key + L" \"" + now.values[i].name + L"\"";
    }
    return now.values.size() != before.values.size() ? L"the number of values" : L"";
}

// What the fixture writes, and the user's software keys where the scratch key lives.
struct FixtureKeys {
    RegTree classKey = ReadRegTree(HKEY_CLASSES_ROOT, kFixtureClassKey);
    RegTree progId = ReadRegTree(HKEY_CLASSES_ROOT, kFixtureProgIdKey);
    RegTree machine = ReadRegTree(HKEY_LOCAL_MACHINE, kFixtureMachineKey);
    RegTree user = UserSoftwareKeys();
    bool operator==(const FixtureKeys&) const = default;
};

std::wstring ScratchKeyPath() { return L"Software\\QNRepair capture " + UnsignedText(::GetCurrentProcessId()); }

bool HasKey(const RegTree& tree, const std::wstring& key) {
    return std::find(tree.keys.begin(), tree.keys.end(), key) != tree.keys.end();
}

// What a capture holds for each root, in the order HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE,
// HKEY_CURRENT_USER.
std::vector<RegTree> TreesOf(const RegistrationCapture& capture) {
    std::vector<RegTree> trees;
    for (const HKEY root : {HKEY_CLASSES_ROOT, HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        trees.emplace_back();
        for (const CapturedRoot& captured : capture.roots) {
            if (captured.root == root) trees.back() = captured.tree;
        }
    }
    return trees;
}

RawRegValue Text(DWORD type, const std::wstring& text) {
    const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
    return {type, std::vector<BYTE>(first, first + (text.size() + 1) * sizeof(wchar_t))};
}

class RegistrationCheckTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RestrictDllSearchToSystemDirectory());
        qn::test::RemoveFixtureRegistration();
    }
    void TearDown() override { qn::test::RemoveFixtureRegistration(); }
    static void SetServer(DWORD type, const std::wstring& text) {
        const RawRegValue value = Text(type, text);
        UniqueHKey key;
        ASSERT_EQ(::RegCreateKeyExW(HKEY_CLASSES_ROOT, kFixtureServerKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr),
                  ERROR_SUCCESS);
        ASSERT_EQ(::RegSetValueExW(key.get(), nullptr, 0, type, value.bytes.data(), static_cast<DWORD>(value.bytes.size())),
                  ERROR_SUCCESS);
    }
    // The check of one component, in a capture host of its own.
    static RegistrationCheck CheckPath(const std::wstring& path, DWORD timeoutMs = kCaptureTimeoutMs) {
        CaptureHost host(ProgramPath());
        return CheckRegistrations(host, {path}, {}, timeoutMs).front();
    }
    static RegistrationCheck Check(const wchar_t* fixture, DWORD timeoutMs = kCaptureTimeoutMs) {
        return CheckPath(FixturePath(fixture), timeoutMs);
    }
};

TEST_F(RegistrationCheckTest, RegisteredComponentChecksOkAndTheCheckChangesNothing) {
    ASSERT_EQ(RegisterComponent(FixturePath(L"fx_reg_writes")).outcome, RegistrationOutcome::Registered);
    const LiveRegistry before;
    const RegistrationCheck check = Check(L"fx_reg_writes");
    const LiveRegistry after;
    EXPECT_EQ(after, before) << "the check changed the live registry: "
                             << FirstDifference(after.machine, before.machine) << FirstDifference(after.user, before.user);
    EXPECT_FALSE(qn::test::KeyExists(HKEY_CURRENT_USER, ScratchKeyPath()));

    // Four values, and the four keys that hold none: CLSID, the class, the ProgID, Software.
    EXPECT_TRUE(check.registered()) << ::testing::PrintToString(RegistrationCheckText(check));
    EXPECT_EQ(check.expected, 8);
    EXPECT_EQ(RegistrationCheckSummary(check), L"OK (8 entries)");
}

TEST_F(RegistrationCheckTest, PathsCompareAsPathsWhateverTheirSpelling) {
    ASSERT_EQ(RegisterComponent(FixturePath(L"fx_reg_writes")).outcome, RegistrationOutcome::Registered);
    const std::wstring path = FixturePath(L"fx_reg_writes");
    WCHAR shortPath[MAX_PATH] = {};
    ASSERT_NE(::GetShortPathNameW(path.c_str(), shortPath, MAX_PATH), 0u);
    std::wstring upper = shortPath;
    ::CharUpperBuffW(upper.data(), static_cast<DWORD>(upper.size()));
    ASSERT_TRUE(::SetEnvironmentVariableW(L"QN_FIXTURE_DIR", qn::test::TestDir().c_str()));

    for (const auto& [type, text] : {std::pair<DWORD, std::wstring>{REG_SZ, upper},
                                     {REG_EXPAND_SZ, L"%QN_FIXTURE_DIR%\\fx_reg_writes.dll"}}) {
        SetServer(type, text);
        const RegistrationCheck check = Check(L"fx_reg_writes");
        EXPECT_TRUE(check.registered()) << ::testing::PrintToString(RegistrationCheckText(check));
    }
    ::SetEnvironmentVariableW(L"QN_FIXTURE_DIR", nullptr);
}

TEST_F(RegistrationCheckTest, DeletedKeyIsMissingAndAnotherFileIsDifferent) {
    ASSERT_EQ(RegisterComponent(FixturePath(L"fx_reg_writes")).outcome, RegistrationOutcome::Registered);
    ASSERT_EQ(DeleteRegTree(HKEY_CLASSES_ROOT, kFixtureProgIdKey), ERROR_SUCCESS);
    const std::wstring other = qn::test::TestDir() + L"\\fx_reg_ok.dll";
    SetServer(REG_SZ, other);

    const RegistrationCheck check = Check(L"fx_reg_writes");
    EXPECT_EQ(check.expected, 8);
    EXPECT_EQ(check.missing, 2);  // the ProgID's key and its CLSID value
    EXPECT_EQ(check.different, 1);
    EXPECT_EQ(RegistrationCheckSummary(check), L"2 missing, 1 different");
    ASSERT_EQ(check.differences.size(), 3u);
    const RegistrationDifference& server = check.differences[0];
    EXPECT_EQ(server.key, L"HKEY_CLASSES_ROOT\\" + std::wstring(kFixtureServerKey));
    EXPECT_EQ(server.value, std::wstring());
    EXPECT_EQ(server.expected, FixturePath(L"fx_reg_writes"));
    EXPECT_EQ(server.actual, other);
    EXPECT_EQ(check.differences[1].key, L"HKEY_CLASSES_ROOT\\QNRepair.Fixture");
    EXPECT_FALSE(check.differences[1].value);
    EXPECT_FALSE(check.differences[1].actual);
    const std::wstring text = RegistrationCheckText(check);
    EXPECT_NE(text.find(L"Different: HKEY_CLASSES_ROOT\\" + std::wstring(kFixtureServerKey) + L" @ is " + other), std::wstring::npos)
        << ::testing::PrintToString(text);
    EXPECT_NE(text.find(L"Missing: HKEY_CLASSES_ROOT\\QNRepair.Fixture\\CLSID @"), std::wstring::npos);
}

TEST_F(RegistrationCheckTest, FailingComponentsAreReportedAndLeaveNothingBehind) {
    const FixtureKeys before;
    const RegistrationCheck denied = Check(L"fx_reg_denied");
    EXPECT_EQ(denied.error, DescribeFailure(FixturePath(L"fx_reg_denied"),
                                            {RegistrationOutcome::CallFailed, ERROR_SUCCESS, E_ACCESSDENIED},
                                            UserTextLanguage()));
    const RegistrationCheck noExport = Check(L"fx_no_export");
    EXPECT_EQ(noExport.error, L"The entry point DllRegisterServer was not found.");
    const RegistrationCheck gone = CheckPath(qn::test::TestDir() + L"\\gone.dll");
    EXPECT_EQ(gone.error.value_or(L"").rfind(L"The file could not be loaded.", 0), 0u);
    EXPECT_EQ(Check(L"fx_reg_raises").error, L"The registration ended abnormally (code 0xE0F1C5ED).");
    EXPECT_EQ(Check(L"fx_reg_hangs", 1500).error, L"The registration had not finished after 2 seconds.");
    EXPECT_FALSE(denied.registered());
    EXPECT_FALSE(qn::test::KeyExists(HKEY_CURRENT_USER, ScratchKeyPath()));
    EXPECT_EQ(FixtureKeys(), before) << "a failed check changed the live registry";
}

TEST_F(RegistrationCheckTest, OneHostCapturesEachComponentIntoRootsOfItsOwnInListOrder) {
    const FixtureKeys before;
    std::vector<size_t> reported;
    // Started ahead, as a repair does while it looks up its files; an empty path in the list
    // keeps its place.
    CaptureHost host(ProgramPath());
    std::vector<RegistrationCapture> captures = host.Capture(
        {FixturePath(L"fx_reg_writes"), FixturePath(L"fx_reg_user"), L"", FixturePath(L"fx_reg_ok")},
        [&](size_t index, const RegistrationCapture&) {
            reported.push_back(index);
            return true;
        });
    EXPECT_EQ(reported, (std::vector<size_t>{0, 1, 2, 3}));
    ASSERT_EQ(captures.size(), 4u);
    for (const RegistrationCapture& capture : captures) EXPECT_EQ(capture.end, RegistrationCapture::End::Finished);
    EXPECT_EQ(captures[2].result.outcome, RegistrationOutcome::Skipped);
    std::erase_if(captures, [](const RegistrationCapture& capture) { return capture.result.outcome == RegistrationOutcome::Skipped; });
    ASSERT_EQ(captures.size(), 3u);
    for (const RegistrationCapture& capture : captures) EXPECT_EQ(capture.result.outcome, RegistrationOutcome::Registered);
    const std::vector<RegTree> writes = TreesOf(captures[0]);
    EXPECT_TRUE(HasKey(writes[0], kFixtureServerKey));
    EXPECT_TRUE(HasKey(writes[1], kFixtureMachineKey));
    EXPECT_TRUE(writes[2].keys.empty());
    const std::vector<RegTree> user = TreesOf(captures[1]);
    EXPECT_TRUE(user[0].keys.empty());
    EXPECT_TRUE(user[1].keys.empty());
    EXPECT_EQ(user[2].keys, (std::vector<std::wstring>{L"Software", kFixtureUserKey}));
    ASSERT_EQ(user[2].values.size(), 1u);
    EXPECT_EQ(user[2].values[0].name, L"PerUser");
    EXPECT_EQ(TreesOf(captures[2]), std::vector<RegTree>(3));

    EXPECT_FALSE(qn::test::KeyExists(HKEY_CURRENT_USER, kFixtureUserKey));
    EXPECT_EQ(FixtureKeys(), before) << "a capture changed the live registry";
}

TEST_F(RegistrationCheckTest, ACrashingAndAHangingComponentCostTheOthersNothing) {
    const FixtureKeys before;
    const std::vector<std::wstring> paths = {FixturePath(L"fx_reg_ok"), FixturePath(L"fx_reg_raises"),
                                             FixturePath(L"fx_reg_denied"), FixturePath(L"fx_reg_hangs"),
                                             FixturePath(L"fx_reg_writes")};
    CaptureHost host(ProgramPath());
    const std::vector<RegistrationCheck> checks = CheckRegistrations(host, paths, {}, 1500);
    ASSERT_EQ(checks.size(), paths.size());
    EXPECT_EQ(RegistrationCheckSummary(checks[0]), L"OK (0 entries)");
    EXPECT_EQ(checks[1].error, L"The registration ended abnormally (code 0xE0F1C5ED).");
    EXPECT_EQ(checks[2].error, DescribeFailure(paths[2], {RegistrationOutcome::CallFailed, ERROR_SUCCESS, E_ACCESSDENIED},
                                               UserTextLanguage()));
    EXPECT_EQ(checks[3].error, L"The registration had not finished after 2 seconds.");
    EXPECT_FALSE(checks[4].error) << ::testing::PrintToString(*checks[4].error);
    EXPECT_EQ(checks[4].expected, 8);
    EXPECT_FALSE(qn::test::KeyExists(HKEY_CURRENT_USER, ScratchKeyPath()));
    EXPECT_EQ(FixtureKeys(), before) << "a capture changed the live registry";
}

TEST_F(RegistrationCheckTest, StoppingAfterAComponentEndsTheHostAndLeavesNoScratchKey) {
    int calls = 0;
    const std::vector<RegistrationCapture> captures = CaptureHost(ProgramPath()).Capture(
        {FixturePath(L"fx_reg_ok"), FixturePath(L"fx_reg_hangs"), FixturePath(L"fx_reg_writes")},
        [&](size_t, const RegistrationCapture&) {
            // The host is on to the hanging component.
            EXPECT_EQ(qn::test::RunningChildren(L"QNRepair.exe"), 1);
            return ++calls < 1;
        });
    EXPECT_EQ(calls, 1);
    ASSERT_EQ(captures.size(), 1u);
    EXPECT_EQ(captures[0].result.outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(qn::test::RunningChildren(L"QNRepair.exe"), 0) << "the host of the hanging component runs on";
    EXPECT_FALSE(qn::test::KeyExists(HKEY_CURRENT_USER, ScratchKeyPath()));
}

TEST_F(RegistrationCheckTest, HostStartedAheadTakesItsListOnlyFromItsParent) {
    // Dropped before it was given anything: ended, its scratch key gone.
    { const CaptureHost unused(ProgramPath()); }
    EXPECT_EQ(qn::test::RunningChildren(L"QNRepair.exe"), 0);
    EXPECT_FALSE(qn::test::KeyExists(HKEY_CURRENT_USER, ScratchKeyPath()));

    // Any program of the user can write below the scratch key while the host starts; what an
    // elevated host loads must never come from there.
    const std::wstring planted = FixturePath(L"fx_reg_user") + L'\0' + L'\0';
    const auto plant = [&](const std::wstring& key) {
        for (const wchar_t* name : {L"Components", L"List", L""}) {
            qn::test::WriteRawValue(HKEY_CURRENT_USER, key, name, REG_MULTI_SZ, planted.data(),
                                    static_cast<DWORD>(planted.size() * sizeof(wchar_t)));
        }
    };
    // Started by hand, with nothing on its standard input: it ends without loading anything.
    const std::wstring key = L"Software\\QNRepair capture test";
    plant(key);
    {
        qn::test::ChildProcess bare(ProgramPath(), std::wstring(kCaptureHostSwitch) + L" \"" + key + L"\"", L"", L"");
        ASSERT_TRUE(bare.started());
        EXPECT_NE(bare.WaitForExit(qn::test::kPatienceMs), static_cast<DWORD>(STILL_ACTIVE));
    }
    EXPECT_FALSE(qn::test::ReadRawValue(HKEY_CURRENT_USER, key, L"Done")) << "the host loaded a planted component";
    DeleteRegTree(HKEY_CURRENT_USER, key);
    // Started ahead as a repair starts it: it registers what its parent gives it, and only that.
    CaptureHost host(ProgramPath());
    plant(ScratchKeyPath());
    const std::vector<RegistrationCapture> captures = host.Capture({FixturePath(L"fx_reg_ok")});
    ASSERT_EQ(captures.size(), 1u);
    EXPECT_EQ(captures[0].result.outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(TreesOf(captures[0]), std::vector<RegTree>(3)) << "the host registered a planted component";
}

TEST_F(RegistrationCheckTest, ListLongerThanOneCommandLineIsCapturedWhole) {
    // 150 paths of about 250 characters: more than one command line takes.
    std::vector<std::wstring> paths;
    for (DWORD i = 0; i < 150; ++i) {
        std::wstring path = qn::test::TestDir() + L"\\absent " + UnsignedText(i) + L" ";
        path.resize(250, L'x');
        paths.push_back(path + L".dll");
    }
    size_t reported = 0;
    const std::vector<RegistrationCapture> captures =
        CaptureHost(ProgramPath()).Capture(paths, [&](size_t index, const RegistrationCapture&) { return index == reported++; });
    ASSERT_EQ(captures.size(), paths.size());
    for (const RegistrationCapture& capture : captures) {
        EXPECT_EQ(capture.end, RegistrationCapture::End::Finished);
        EXPECT_EQ(capture.result.outcome, RegistrationOutcome::Skipped);
    }
}

TEST_F(RegistrationCheckTest, GermanUserReadsTheResultInGerman) {
    ASSERT_EQ(RegisterComponent(FixturePath(L"fx_reg_writes")).outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(RegistrationCheckSummary(Check(L"fx_reg_writes")), L"OK (8 Einträge)");
    ASSERT_EQ(DeleteRegTree(HKEY_CLASSES_ROOT, kFixtureProgIdKey), ERROR_SUCCESS);
    EXPECT_EQ(RegistrationCheckSummary(Check(L"fx_reg_writes")), L"2 fehlen, 0 abweichend");
}

TEST_F(RegistrationCheckTest, ComServerOfThePrefixChecksOk) {
    // Registered by the prefix's own set-up; its registration script writes classes, ProgIDs
    // and a type library.
    const std::wstring server = SystemDirectory() + L"\\jscript.dll";
    const RegistrationCheck check = CheckPath(server);
    EXPECT_TRUE(check.registered()) << ::testing::PrintToString(RegistrationCheckText(check));
    EXPECT_GT(check.expected, 10);
}

TEST_F(RegistrationCheckTest, BackupRestoresTheStateBeforeTheRepair) {
    // Before: an old server entry without threading model; no ProgID, no machine key.
    SetServer(REG_SZ, L"C:\\old\\server.dll");
    const FixtureKeys before;
    const qn::test::TempDir folder;
    int captures = 0;
    CaptureHost host(ProgramPath());
    const std::optional<std::wstring> backup =
        BackUpRegistrations(host, {L"", FixturePath(L"fx_reg_writes")}, [&] { return ++captures > 0; },
                            folder.path() + L"\\QNRepair");
    ASSERT_TRUE(backup);
    EXPECT_EQ(captures, 1);
    EXPECT_EQ(backup->rfind(folder.path() + L"\\QNRepair\\QNRepair registry backup ", 0), 0u);

    ASSERT_EQ(RegisterComponent(FixturePath(L"fx_reg_writes")).outcome, RegistrationOutcome::Registered);
    ASSERT_FALSE(FixtureKeys() == before);
    EXPECT_EQ(RestoreRegistryBackup(*backup), RestoreOutcome::Restored);
    EXPECT_EQ(FixtureKeys(), before) << "the restore did not bring back the state before the repair";

    // What the file says, as regedit would read it.
    const std::optional<std::wstring> text = ReadUtf16File(*backup);
    ASSERT_TRUE(text);
    for (const std::wstring& line : std::vector<std::wstring>{L"Windows Registry Editor Version 5.00", L"[-HKEY_CLASSES_ROOT\\QNRepair.Fixture]",
                                     L"[-HKEY_LOCAL_MACHINE\\Software\\QNRepair Fixture]",
                                     L"[HKEY_CLASSES_ROOT\\" + std::wstring(kFixtureServerKey) + L"]",
                                     L"@=\"C:\\\\old\\\\server.dll\"", L"\"ThreadingModel\"=-"}) {
        EXPECT_NE(text->find(line + L"\r\n"), std::wstring::npos) << ::testing::PrintToString(line);
    }

    const qn::test::ScopedFile garbage(folder.path() + L"\\garbage.reg", FixturePath(L"fx_reg_ok"));
    EXPECT_EQ(RestoreRegistryBackup(garbage.path()), RestoreOutcome::Unreadable);
    EXPECT_EQ(RestoreRegistryBackup(folder.path() + L"\\none.reg"), RestoreOutcome::Unreadable);

    // Stopped after the last capture: still no backup.
    CaptureHost stoppedHost(ProgramPath());
    EXPECT_FALSE(BackUpRegistrations(stoppedHost, {FixturePath(L"fx_reg_writes")}, [] { return false; },
                                     folder.path() + L"\\Stopped"));
    EXPECT_EQ(::GetFileAttributesW((folder.path() + L"\\Stopped").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(RegFileTest, EveryKindOfDataReadsBackByteForByte) {
    const std::vector<BYTE> odd = {0x41, 0x00, 0x42};  // a string of odd length without its NUL
    RegFileKey key{L"HKEY_CURRENT_USER\\Software\\Quote\"d", false, {}};
    key.values = {{L"", Text(REG_SZ, L"C:\\a \"b\"")},
                  {L"expand", Text(REG_EXPAND_SZ, L"%TEMP%\\x")},
                  {L"multi", RawRegValue{REG_MULTI_SZ, {0x61, 0, 0, 0, 0x62, 0, 0, 0, 0, 0}}},
                  {L"dword", RawRegValue{REG_DWORD, {1, 2, 3, 4}}},
                  {L"short dword", RawRegValue{REG_DWORD, {1, 2}}},
                  {L"binary", RawRegValue{REG_BINARY, {}}},
                  {L"odd", RawRegValue{REG_SZ, odd}},
                  {L"line\\\"break", Text(REG_SZ, L"a\r\nb")},
                  {L"qword", RawRegValue{REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}}},
                  {L"gone", std::nullopt}};
    const std::vector<RegFileKey> keys = {{L"HKEY_CLASSES_ROOT\\Absent", true, {}}, key};
    const auto parsed = ParseRegFile(FormatRegFile(keys));
    ASSERT_TRUE(parsed);
    ASSERT_EQ(parsed->size(), 2u);
    EXPECT_TRUE((*parsed)[0].remove);
    EXPECT_EQ((*parsed)[1].path, key.path);
    ASSERT_EQ((*parsed)[1].values.size(), key.values.size());
    for (size_t i = 0; i < key.values.size(); ++i) {
        EXPECT_EQ((*parsed)[1].values[i].name, key.values[i].name);
        EXPECT_EQ((*parsed)[1].values[i].value, key.values[i].value) << i;
    }
    // regedit's own wrapped hex lines.
    const auto wrapped = ParseRegFile(L"Windows Registry Editor Version 5.00\r\n\r\n[HKEY_CURRENT_USER\\X]\r\n"
                                      L"\"b\"=hex:01,02,\\\r\n  03\r\n");
    ASSERT_TRUE(wrapped);
    EXPECT_EQ((*wrapped)[0].values[0].value, (RawRegValue{REG_BINARY, {1, 2, 3}}));
    EXPECT_FALSE(ParseRegFile(L"REGEDIT4\r\n"));
    EXPECT_FALSE(ParseRegFile(L"Windows Registry Editor Version 5.00\r\n\"a\"=\"b\"\r\n"));
}

}  // namespace
