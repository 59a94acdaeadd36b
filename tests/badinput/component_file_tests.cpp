// Component files that are not what they claim to be: a folder, an empty file, a DLL whose
// version resource is damaged, a DLL that cannot be loaded, a path beyond 260 characters. The
// pages show "Not available" / "Not found" / "N/A" where nothing sane can be read, nothing
// crashes, and a repair names what it could not load and goes on.
#include <windows.h>
#include <gtest/gtest.h>

#include <cstring>

#include "analysis/ComponentsPage.h"
#include "analysis/JetPage.h"
#include "badinput/BadInput.h"
#include "platform/SystemLibrary.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

std::wstring SystemDir() { return SystemDirectory(); }

std::wstring JetFile(const wchar_t* name) { return SystemDir() + L"\\" + name; }

const Row kMissingJetEngine{L"msjet40.dll", L"N/A", L"Not found"};

void SetWord(std::vector<BYTE>& bytes, size_t at, WORD value) { std::memcpy(&bytes[at], &value, sizeof value); }
void SetDword(std::vector<BYTE>& bytes, size_t at, DWORD value) { std::memcpy(&bytes[at], &value, sizeof value); }

// Offsets inside VS_VERSIONINFO: wLength, wValueLength, wType, the key (16 characters with
// its NUL), padding to 32 bits, then the root block VS_FIXEDFILEINFO.
constexpr size_t kValueLength = 2;
constexpr size_t kRootBlock = 6 + 32 + 2;

// The Jet page as the window shows it after the user chose it.
struct JetView {
    std::wstring installed;
    std::vector<Row> rows;
};
JetView ShowJetPage(FormDriver& window) {
    window.ChooseTab(1);
    window.Pump();
    return {window.Text(Ctl::Label24), window.Rows(Ctl::lvwJetFiles)};
}

void ExpectEngineNotFound(const char* what, const std::function<void(const std::wstring&)>& place) {
    SCOPED_TRACE(what);
    const ScopedAbsence previous(JetFile(L"msjet40.dll"));
    place(JetFile(L"msjet40.dll"));
    FormDriver window;
    const JetView view = ShowJetPage(window);
    EXPECT_EQ(view.installed, L"Not available");
    ASSERT_EQ(view.rows.size(), 6u);
    EXPECT_EQ(view.rows[0], kMissingJetEngine);
    EXPECT_TRUE(Responds(window.hwnd()));
}

#ifdef _WIN64
constexpr WORD kOtherMachine = IMAGE_FILE_MACHINE_I386;
#else
constexpr WORD kOtherMachine = IMAGE_FILE_MACHINE_AMD64;
#endif

}  // namespace

TEST(BadInput, ComponentPathThatIsAFolder) {
    ExpectEngineNotFound("folder", [](const std::wstring& path) { CreateDirectories(path); });
    ::RemoveDirectoryW(JetFile(L"msjet40.dll").c_str());
}

TEST(BadInput, ZeroByteFileNamedLikeAComponent) {
    const ScopedAbsence previous(JetFile(L"msjet40.dll"));
    const ScopedFile empty(JetFile(L"msjet40.dll"), L"");
    FormDriver window;
    const JetView view = ShowJetPage(window);
    EXPECT_EQ(view.installed, L"Not available");
    EXPECT_EQ(view.rows.at(0), kMissingJetEngine);
}

TEST(BadInput, DamagedVersionResources) {
    const struct {
        const char* name;
        std::function<void(std::vector<BYTE>&)> damage;
    } cases[] = {
        // The version information holds no root block.
        {"no root block", [](std::vector<BYTE>& b) { SetWord(b, VersionInfoOffset(b) + kValueLength, 0); }},
        // The block claims to end inside its own root block.
        {"block shorter than its root block",
         [](std::vector<BYTE>& b) { SetWord(b, VersionInfoOffset(b), static_cast<WORD>(kRootBlock + 8)); }},
        // The root block is not a VS_FIXEDFILEINFO (its signature is wrong).
        {"root block without signature", [](std::vector<BYTE>& b) { SetDword(b, VersionInfoOffset(b) + kRootBlock, 0); }},
        // The file ends in the middle of the version resource.
        {"file cut inside the resource", [](std::vector<BYTE>& b) { b.resize(VersionInfoOffset(b) + kRootBlock + 12); }},
    };
    for (const auto& c : cases) {
        ExpectEngineNotFound(c.name, [&](const std::wstring& path) {
            WriteDamagedCopy(L"fx_ver_4_0_8618_0", path, c.damage);
        });
        ::DeleteFileW(JetFile(L"msjet40.dll").c_str());
    }
}

TEST(BadInput, UnloadableComponentIsNamedInTheRepairMessageAndTheRepairGoesOn) {
    TempDir dir;
    const std::wstring calls = dir.path() + L"\\calls.log";
    ::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", calls.c_str());
    const ScopedFile engine(JetFile(L"msjet40.dll"), FixturePath(L"fx_ver_4_0_8618_0"));
    const ScopedFile provider(JetFile(L"msjetoledb40.dll"), FixturePath(L"fx_reg_ok"));
    // A DLL for another processor: its version reads, but it cannot be loaded.
    const ScopedAbsence previous(JetFile(L"msjtes40.dll"));
    WriteDamagedCopy(L"fx_reg_ok", JetFile(L"msjtes40.dll"), [](std::vector<BYTE>& b) {
        DWORD peOffset = 0;
        std::memcpy(&peOffset, &b[0x3C], sizeof peOffset);
        SetWord(b, peOffset + 4, kOtherMachine);
    });

    FormDriver window;
    const JetView view = ShowJetPage(window);
    EXPECT_EQ(view.rows.at(1), (Row{L"msjtes40.dll", L"2.80.1022", JetFile(L"msjtes40.dll")}));
    {
        MessageBoxWatcher boxes;
        window.Click(Ctl::Command3);
        window.Pump();
        const auto seen = boxes.Stop();
        ASSERT_EQ(seen.size(), 1u);
        EXPECT_NE(seen[0].text.find(L"msjtes40.dll"), std::wstring::npos) << std::string(seen[0].text.begin(), seen[0].text.end());
        EXPECT_EQ(seen[0].text.find(L"msjetoledb40.dll"), std::wstring::npos);
    }
    ::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", nullptr);
    // The files before and after the unloadable one were registered.
    const auto registered = ReadLines(calls);
    EXPECT_EQ(registered.size(), 2u);
    ::DeleteFileW(JetFile(L"msjtes40.dll").c_str());

    // The window goes on working: the button is back, and pages fill.
    EXPECT_TRUE(window.Visible(Ctl::Command3));
    EXPECT_FALSE(window.Visible(Ctl::ProgressBar3));
    window.ChooseTab(0);
    window.Pump();
    EXPECT_EQ(window.Rows(Ctl::lvwMDACFiles).size(), 28u);
    EXPECT_TRUE(Responds(window.hwnd()));
}

TEST(BadInput, ComponentFolderLongerThanMaxPath) {
    TempDir dir;
    std::wstring folder = dir.path();
    // Made with the \\?\ prefix, which lifts the 260-character limit of the path functions.
    while (folder.size() < 300) {
        folder += L"\\a-folder-name-of-forty-characters-length";
        ASSERT_TRUE(::CreateDirectoryW((L"\\\\?\\" + folder).c_str(), nullptr)) << ::GetLastError();
    }
    const std::wstring engine = folder + L"\\msjet40.dll";
    ASSERT_TRUE(::CopyFileW(FixturePath(L"fx_ver_4_0_8618_0").c_str(), (L"\\\\?\\" + engine).c_str(), FALSE));
    ASSERT_TRUE(::CopyFileW(FixturePath(L"fx_ver_6_0_98_2").c_str(), (L"\\\\?\\" + folder + L"\\msxml.dll").c_str(), FALSE));

    const JetFindings jet = AnalyseJet(folder);
    const ComponentVersions components = AnalyseComponents(folder);
    // Either the version is read in full or the file counts as missing: nothing in between.
    if (jet.files.at(0).version) {
        EXPECT_EQ(jet.installedVersion, L"4.0.8618");
        EXPECT_EQ(jet.files[0].version, L"4.0.8618");
        EXPECT_EQ(jet.files[0].path, engine);
        EXPECT_EQ(components.msxml, L"6.0.98");
    } else {
        EXPECT_EQ(jet.installedVersion, std::nullopt);
        EXPECT_EQ(components.msxml, std::nullopt);
    }
    for (size_t i = 1; i < jet.files.size(); ++i) EXPECT_EQ(jet.files[i].path, std::nullopt);
    RemoveTree(L"\\\\?\\" + dir.path());
}
