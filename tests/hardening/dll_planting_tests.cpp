// A version.dll planted beside the program and in its current folder: the program never loads it
// itself and never calls it, while a program that imports version.dll statically does both,
// which shows that the test can see a planted DLL at work.
//
// Wine is told to prefer a native version.dll, as Windows does for a DLL that is not a KnownDLL.
// Wine's own user32 imports version.dll (and calls it once), so under Wine every program that
// uses user32 gets the plant mapped at process start, before its first instruction runs
// (measured with a program that imports user32 alone); on Windows user32 is a KnownDLL without
// that import. What the program controls, and what is tested, is that it adds nothing to that:
// it never loads a version.dll by the search path and never reads a version through the plant.
#include <windows.h>
#include <psapi.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/SystemLibrary.h"
#include "support/ChildProcess.h"
#include "support/TestSupport.h"

using namespace qn::test;

namespace {

std::wstring ControlDir() { return TestDir() + L"\\plant_control"; }

std::wstring Lower(std::wstring text) {
    for (auto& c : text) c = static_cast<wchar_t>(::towlower(c));
    return text;
}

size_t Count(const std::vector<std::wstring>& lines, const std::wstring& prefix) {
    return static_cast<size_t>(std::count_if(lines.begin(), lines.end(),
                                             [&](const std::wstring& l) { return l.rfind(prefix, 0) == 0; }));
}

// The full paths of the modules named version.dll in `process`.
std::vector<std::wstring> VersionModules(HANDLE process) {
    HMODULE modules[512];
    DWORD bytes = 0;
    std::vector<std::wstring> found;
    if (!::EnumProcessModulesEx(process, modules, sizeof(modules), &bytes, LIST_MODULES_ALL)) return found;
    const DWORD count = std::min<DWORD>(bytes / sizeof(HMODULE), 512);
    for (DWORD i = 0; i < count; ++i) {
        WCHAR path[MAX_PATH] = {};
        if (!::GetModuleFileNameExW(process, modules[i], path, MAX_PATH)) continue;
        const std::wstring lower = Lower(path);
        if (lower.size() >= 12 && lower.compare(lower.size() - 12, 12, L"\\version.dll") == 0) found.push_back(lower);
    }
    return found;
}

std::wstring SystemVersionDll() {
    return Lower(qn::SystemDirectory() + L"\\version.dll");
}

// A folder holding a copy of `program` and the planted version.dll, run with the folder as its
// current folder. Wine reads DLL overrides for a child from the registry, not from the
// environment a parent passes, so the preference is set for the program's name alone.
class PlantedRun {
public:
    explicit PlantedRun(const std::wstring& program)
        : name_(program.substr(program.rfind(L'\\') + 1)),
          nativeFirst_(HKEY_CURRENT_USER, L"Software\\Wine\\AppDefaults\\" + name_ + L"\\DllOverrides", L"version",
                       std::wstring(L"native,builtin")) {
        program_ = dir_.path() + L"\\" + name_;
        EXPECT_TRUE(::CopyFileW(program.c_str(), program_.c_str(), FALSE)) << ::GetLastError();
        EXPECT_TRUE(::CopyFileW((TestDir() + L"\\plant\\version.dll").c_str(),
                                (dir_.path() + L"\\version.dll").c_str(), FALSE))
            << ::GetLastError();
        child_ = std::make_unique<ChildProcess>(program_, dir_.path(),
                                                std::vector<std::pair<std::wstring, std::wstring>>{
                                                    {L"QN_PLANT_MARKER", dir_.path() + L"\\plant.log"}});
    }
    ChildProcess& child() { return *child_; }
    std::vector<std::wstring> PlantLog() const { return ReadLines(dir_.path() + L"\\plant.log"); }
    std::wstring PlantPath() const { return Lower(dir_.path() + L"\\version.dll"); }

private:
    TempDir dir_;
    std::wstring name_;
    ScopedRegValue nativeFirst_;
    std::wstring program_;
    std::unique_ptr<ChildProcess> child_;
};

}  // namespace

TEST(DllPlanting, StaticImporterLoadsAndCallsThePlant) {
    PlantedRun run(ControlDir() + L"\\qn_static_version_user.exe");
    ASSERT_TRUE(run.child().started());
    // The plant reads no versions, so the control reports failure (exit code 1).
    EXPECT_EQ(run.child().WaitForExit(30000), 1u);
    const auto log = run.PlantLog();
    EXPECT_EQ(Count(log, L"attach static"), 1u) << "the test cannot see a planted version.dll";
    EXPECT_EQ(Count(log, L"call GetFileVersionInfoSizeW"), 1u);
}

TEST(DllPlanting, ProgramAddsNothingToWhatThePlatformDoesWithThePlant) {
    // What the platform itself does with the plant, in a program that never asks for it.
    std::vector<std::wstring> platform;
    {
        PlantedRun baseline(ControlDir() + L"\\qn_user32_only.exe");
        ASSERT_TRUE(baseline.child().started());
        EXPECT_EQ(baseline.child().WaitForExit(30000), 0u);
        platform = baseline.PlantLog();
    }
    EXPECT_EQ(Count(platform, L"attach dynamic"), 0u);

    PlantedRun run(ProgramPath());
    ASSERT_TRUE(run.child().started());
    // The window appears only after the MDAC page was filled: 28 version reads have been done.
    const HWND window = run.child().WaitForWindow(L"QNRepairMainWindow", 30000);
    ASSERT_NE(window, nullptr) << "the program showed no window";
    const auto modules = VersionModules(run.child().process());
    ::PostMessageW(window, WM_CLOSE, 0, 0);
    EXPECT_EQ(run.child().WaitForExit(30000), 0u);

    const auto log = run.PlantLog();
    // Had the program read its versions through the plant, there would be 28 calls more.
    EXPECT_EQ(Count(log, L"call GetFileVersionInfoSizeW"), Count(platform, L"call GetFileVersionInfoSizeW"));
    EXPECT_EQ(Count(log, L"call GetFileVersionInfoW"), Count(platform, L"call GetFileVersionInfoW"));
    EXPECT_EQ(Count(log, L"call VerQueryValueW"), Count(platform, L"call VerQueryValueW"));
    EXPECT_EQ(Count(log, L"attach dynamic"), 0u) << "the program loaded the planted version.dll";
    EXPECT_EQ(Count(log, L"attach static"), Count(platform, L"attach static"));
    // The program did load version.dll: the system's. The emulated 32-bit Wine cannot read
    // another process's module list; there the plant's log alone speaks.
    if (!std::getenv("QN_EMULATED_WINE")) {
        EXPECT_NE(std::find(modules.begin(), modules.end(), SystemVersionDll()), modules.end());
    }
}
