// Registering real DLLs: what is called, how often, what comes back and what stays loaded.
#include <gtest/gtest.h>

#include <fstream>

#include "platform/SystemLibrary.h"
#include "platform/SystemMessage.h"
#include "repair/ComponentLoader.h"
#include "repair/modDLLRegister.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::FixturePath;

namespace {

bool IsLoaded(const std::wstring& path) { return ::GetModuleHandleW(path.c_str()) != nullptr; }

std::string Narrow(const std::wstring& text) { return std::string(text.begin(), text.end()); }

// The fixtures' DllRegisterServer appends its module path to the file named by QN_FIXTURE_LOG.
// The default DLL search is restricted as the program restricts it at start.
class RegisterComponentTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(RestrictDllSearchToSystemDirectory());
        log_ = dir_.path() + L"\\calls.log";
        ASSERT_TRUE(::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", log_.c_str()));
    }
    void TearDown() override { ::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", nullptr); }

    std::vector<std::wstring> Calls() const { return qn::test::ReadLines(log_); }

    qn::test::TempDir dir_;
    std::wstring log_;
};

TEST_F(RegisterComponentTest, ZeroAndPositiveStatusCountAsRegisteredAfterOneCall) {
    for (const auto& [fixture, status] : {std::pair{L"fx_reg_ok", S_OK}, std::pair{L"fx_reg_false", S_FALSE}}) {
        const std::wstring path = FixturePath(fixture);
        ::DeleteFileW(log_.c_str());
        const RegistrationResult result = RegisterComponent(path);
        EXPECT_EQ(result.outcome, RegistrationOutcome::Registered) << Narrow(path);
        EXPECT_EQ(result.status, status);
        EXPECT_EQ(result.loadError, static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(Calls(), std::vector<std::wstring>{path});
        EXPECT_FALSE(IsLoaded(path));
    }
}

TEST_F(RegisterComponentTest, NegativeStatusComesBackExactlyAndUnloads) {
    for (const auto& [fixture, status] :
         {std::pair{L"fx_reg_denied", static_cast<HRESULT>(0x80070005)},
          std::pair{L"fx_reg_typelib_denied", static_cast<HRESULT>(0x8002801C)}}) {
        const std::wstring path = FixturePath(fixture);
        ::DeleteFileW(log_.c_str());
        const RegistrationResult result = RegisterComponent(path);
        EXPECT_EQ(result.outcome, RegistrationOutcome::CallFailed) << Narrow(path);
        EXPECT_EQ(result.status, status);
        EXPECT_EQ(Calls().size(), 1u);
        EXPECT_FALSE(IsLoaded(path));
    }
}

TEST_F(RegisterComponentTest, MissingExportIsReportedWithoutACallAndUnloads) {
    const std::wstring path = FixturePath(L"fx_no_export");
    const RegistrationResult result = RegisterComponent(path);
    EXPECT_EQ(result.outcome, RegistrationOutcome::EntryPointMissing);
    EXPECT_TRUE(Calls().empty());
    EXPECT_FALSE(IsLoaded(path));

    // The entry name is the one asked for, not always DllRegisterServer.
    EXPECT_EQ(RegisterComponent(FixturePath(L"fx_reg_ok"), "DllUnregisterServer").outcome,
              RegistrationOutcome::EntryPointMissing);
    const RegistrationResult marker = RegisterComponent(path, "FixtureMarker");
    EXPECT_EQ(marker.outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(marker.status, 1);
    EXPECT_FALSE(IsLoaded(path));
}

TEST_F(RegisterComponentTest, NothingAtThePathIsSkippedSilently) {
    // "Not found" is what the page's record holds for a missing file.
    for (const std::wstring& path : {std::wstring(), std::wstring(L"Not found"), dir_.path() + L"\\MSADO15.DLL",
                                     dir_.path() + L"\\no folder\\MSADO15.DLL", dir_.path()}) {
        const RegistrationResult result = RegisterComponent(path);
        EXPECT_EQ(result.outcome, RegistrationOutcome::Skipped) << Narrow(path);
        EXPECT_EQ(result.loadError, static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_EQ(result.status, S_OK);
    }
    EXPECT_TRUE(Calls().empty());
}

TEST_F(RegisterComponentTest, PathsTheLoaderWouldCompleteAreNeverLoaded) {
    // A record's path without its folder ("\System\ado\..." when the common files folder is
    // unknown) would be completed from the current drive, whose root ordinary users can write to.
    const qn::test::ScopedCurrentDirectory root(L"C:\\");
    const qn::test::ScopedDirectory folder(L"C:\\System", true);
    const qn::test::ScopedFile planted(L"C:\\System\\ado\\MSADO15.DLL", FixturePath(L"fx_reg_ok"));
    for (const wchar_t* path : {L"\\System\\ado\\MSADO15.DLL", L"/System/ado/MSADO15.DLL",
                                L"C:System\\ado\\MSADO15.DLL", L"System\\ado\\MSADO15.DLL",
                                L"\\\\?\\C:\\System\\ado\\MSADO15.DLL", L"\\\\.\\C:\\System\\ado\\MSADO15.DLL"}) {
        EXPECT_FALSE(IsFullPath(path)) << Narrow(path);
        EXPECT_EQ(RegisterComponent(path).outcome, RegistrationOutcome::Skipped) << Narrow(path);
    }
    EXPECT_TRUE(Calls().empty());
    // The plant itself is a working component: by its full path it registers.
    EXPECT_EQ(RegisterComponent(planted.path()).outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(RegisterComponent(L"c:/System/ado/MSADO15.DLL").outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{planted.path(), L"c:\\System\\ado\\MSADO15.DLL"}));
    EXPECT_TRUE(IsFullPath(L"\\\\server\\share\\MSADO15.DLL"));
}

TEST_F(RegisterComponentTest, NameTheSystemCannotUseIsAFailureWithItsReason) {
    for (const std::wstring& path : {dir_.path() + L"\\MSADO15|.DLL", dir_.path() + L"\\MSADO15\"?.DLL"}) {
        const RegistrationResult result = RegisterComponent(path);
        EXPECT_EQ(result.outcome, RegistrationOutcome::LoadFailed) << Narrow(path);
        EXPECT_FALSE(SystemMessage(result.loadError).empty()) << result.loadError;
    }
}

TEST_F(RegisterComponentTest, FileThatIsNoModuleFailsToLoadWithAnExplainedError) {
    const std::wstring text = dir_.path() + L"\\readme.dll";
    std::ofstream(text.c_str()) << "This is not a DLL.\r\n";
    const qn::test::ScopedFile empty(dir_.path() + L"\\empty.dll", L"");
    // The caller's own error mode must come back unchanged after the quiet load.
    const DWORD callerMode = SEM_NOGPFAULTERRORBOX;
    DWORD before = 0;
    ASSERT_TRUE(::SetThreadErrorMode(callerMode, &before));

    for (const std::wstring& path : {text, empty.path()}) {
        const RegistrationResult result = RegisterComponent(path);
        EXPECT_EQ(result.outcome, RegistrationOutcome::LoadFailed) << Narrow(path);
        EXPECT_NE(result.loadError, static_cast<DWORD>(ERROR_SUCCESS));
        EXPECT_FALSE(SystemMessage(result.loadError).empty()) << result.loadError;
        EXPECT_EQ(::GetThreadErrorMode(), callerMode);
    }
    ::SetThreadErrorMode(before, nullptr);
}

TEST_F(RegisterComponentTest, EveryCallLoadsAndUnloadsAnew) {
    const std::wstring path = FixturePath(L"fx_reg_ok");
    EXPECT_EQ(RegisterComponent(path).outcome, RegistrationOutcome::Registered);
    EXPECT_FALSE(IsLoaded(path));
    EXPECT_EQ(RegisterComponent(path).outcome, RegistrationOutcome::Registered);
    EXPECT_FALSE(IsLoaded(path));
    EXPECT_EQ(Calls(), (std::vector<std::wstring>{path, path}));
}

TEST_F(RegisterComponentTest, ReleasesOnlyItsOwnLoadOnEveryOutcome) {
    // A module the process already holds must stay loaded: one FreeLibrary per own load.
    for (const wchar_t* fixture : {L"fx_reg_ok", L"fx_reg_denied", L"fx_no_export"}) {
        const std::wstring path = FixturePath(fixture);
        HMODULE held = ::LoadLibraryW(path.c_str());
        ASSERT_NE(held, nullptr);
        RegisterComponent(path);
        RegisterComponent(path);
        EXPECT_TRUE(IsLoaded(path)) << Narrow(path);
        ::FreeLibrary(held);
        EXPECT_FALSE(IsLoaded(path)) << Narrow(path);
    }
}

TEST_F(RegisterComponentTest, DependencyIsTakenFromBesideTheComponentNeverFromBesideTheProgram) {
    const qn::test::PlantedDependency plant;
    const qn::test::ScopedFile component(dir_.path() + L"\\fx_dep_user.dll", FixturePath(L"fx_dep_user"));

    const RegistrationResult result = RegisterComponent(component.path());
    EXPECT_EQ(result.outcome, RegistrationOutcome::LoadFailed);
    EXPECT_EQ(result.loadError, static_cast<DWORD>(ERROR_MOD_NOT_FOUND));
    EXPECT_FALSE(SystemMessage(result.loadError).empty());
    EXPECT_FALSE(plant.WasLoaded());

    const qn::test::ScopedFile dependency(dir_.path() + L"\\fx_dep_base.dll", qn::test::PlantedDependency::Genuine());
    const RegistrationResult registered = RegisterComponent(component.path());
    EXPECT_EQ(registered.outcome, RegistrationOutcome::Registered);
    EXPECT_EQ(registered.status, S_FALSE);  // the dependency's code ran
    EXPECT_FALSE(plant.WasLoaded());
    EXPECT_FALSE(IsLoaded(component.path()));
    EXPECT_FALSE(IsLoaded(dependency.path()));
}

}  // namespace
