// The Windows settings and other components pages as the window shows them.
#include <windows.h>
#include <shlobj.h>
#include <gtest/gtest.h>

#include <string>

#include "SystemFiles.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

constexpr wchar_t kNoDirectory[] = L"Directory not available!";
constexpr int kWindowsTab = 2;
constexpr int kComponentsTab = 3;

FormServices RunningOn(OsVersion os) {
    FormServices services;
    services.queryOsVersion = [os] { return os; };
    return services;
}


std::wstring ShellFolder(int csidl) {
    WCHAR path[MAX_PATH] = {};
    EXPECT_EQ(::SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return path;
}

std::wstring HtmlHelpFolder() { return ShellFolder(CSIDL_COMMON_APPDATA) + L"\\Microsoft\\HTML Help"; }


}  // namespace

TEST(WindowsSettingsPage, ShowsTheRunningSystemInEnglish) {
    ScopedDirectory noHelp(HtmlHelpFolder(), false);
    ScopedRegValue ie(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\Internet Explorer", L"Version",
                      std::wstring(L"6.0.2900.2180"));
    FormDriver window;
    window.ChooseTab(kWindowsTab);
    EXPECT_EQ(window.Text(Ctl::Frame1), L"Windows Settings");
    EXPECT_EQ(window.Text(Ctl::Label1), L"Windows version:");
    EXPECT_EQ(window.Text(Ctl::Label2), L"Windows 7");  // what Wine reports by default
    EXPECT_EQ(window.Text(Ctl::Label3), L"User default language:");
    EXPECT_EQ(window.Text(Ctl::Label4), L"1033");
    EXPECT_EQ(window.Text(Ctl::Label6), L"Current ANSI code page:");
    EXPECT_EQ(window.Text(Ctl::Label5), std::to_wstring(::GetACP()));
    EXPECT_EQ(window.Text(Ctl::Label14), L"Internet Explorer Version:");
    EXPECT_EQ(window.Text(Ctl::Label13), L"6.0.2900.2180");
    EXPECT_EQ(window.Text(Ctl::Frame2), L"System Folder Settings");
    EXPECT_EQ(window.Text(Ctl::Label28), L"My Documents:");
    EXPECT_EQ(window.Text(Ctl::Label29), ShellFolder(CSIDL_PERSONAL) + L"\\");
    EXPECT_EQ(window.Text(Ctl::Label31), L"Application Data:");
    EXPECT_EQ(window.Text(Ctl::Label30), ShellFolder(CSIDL_APPDATA) + L"\\");
    EXPECT_EQ(window.Text(Ctl::Label33), L"Temporary Files:");
    const std::wstring temp = window.Text(Ctl::Label32);
    ASSERT_FALSE(temp.empty());
    EXPECT_EQ(temp.back(), L'\\');
    EXPECT_TRUE(IsDirectory(temp)) << std::string(temp.begin(), temp.end());
    EXPECT_EQ(window.Text(Ctl::Label26), L"HTML Help Directory:");
    EXPECT_EQ(window.Text(Ctl::Label27), kNoDirectory);
}

TEST(WindowsSettingsPage, HtmlHelpFolderCreatedMeanwhileShowsOnTheNextVisit) {
    FormDriver window;
    {
        ScopedDirectory noHelp(HtmlHelpFolder(), false);
        window.ChooseTab(kWindowsTab);
        EXPECT_EQ(window.Text(Ctl::Label27), kNoDirectory);
    }
    ScopedDirectory help(HtmlHelpFolder(), true);
    window.ChooseTab(0);
    window.ChooseTab(kWindowsTab);
    EXPECT_EQ(window.Text(Ctl::Label27), HtmlHelpFolder() + L"\\");
}

TEST(WindowsSettingsPage, WindowsNameFollowsTheVersionFoundAtStartUp) {
    struct Case {
        OsVersion os;
        int code;
        const wchar_t* name;
    };
    const Case cases[] = {
        {{VER_PLATFORM_WIN32_NT, 5, 1, 2600}, 6, L"Windows XP"},
        // Newer NT systems share the NT 4.0 code; they are named from their own numbers.
        {{VER_PLATFORM_WIN32_NT, 6, 0, 6002}, 3, L"Windows Vista"},
        {{VER_PLATFORM_WIN32_WINDOWS, 4, 10, 2222}, 2, L"Windows 98"},
    };
    for (const Case& c : cases) {
        FormDriver window(RunningOn(c.os));
        EXPECT_EQ(window.form().State().lWinVersion, c.code);
        window.ChooseTab(kWindowsTab);
        EXPECT_EQ(window.Text(Ctl::Label2), c.name) << c.os.major << "." << c.os.minor;
    }
}

TEST(WindowsSettingsPage, GermanUserSeesGermanHeadingsAndLanguage) {
    ScopedDirectory noHelp(HtmlHelpFolder(), false);
    FormDriver window(RunningOn({VER_PLATFORM_WIN32_WINDOWS, 4, 3, 0}));
    window.ChooseTab(kWindowsTab);
    EXPECT_EQ(window.Text(Ctl::Label1), L"Windows-Version:");
    EXPECT_EQ(window.Text(Ctl::Label2), L"Nicht vorhanden");  // a system it does not know
    EXPECT_EQ(window.Text(Ctl::Label4), L"1031");
    EXPECT_EQ(window.Text(Ctl::Label26), L"HTML Help-Verzeichnis:");
    EXPECT_EQ(window.Text(Ctl::Label27), kNoDirectory);  // the same in every language
}

namespace {

// Known versions of the runtime and script engine, no ActiveBar2.
class ComponentsOnTheMachine : public ::testing::Test {
protected:
    ScopedFile runtime{SystemFile(L"MSVBVM60.DLL"), FixturePath(L"fx_ver_6_0_98_2")};
    ScopedFile script{SystemFile(L"vbscript.DLL"), FixturePath(L"fx_ver_5_6_0_8820")};
    ScopedAbsence noBar{SystemFile(L"actbar2.ocx")};
};

void ExpectFixedCaptions(const FormDriver& window) {
    EXPECT_EQ(window.Text(Ctl::Label35), L"ActiveBar2:");
    EXPECT_EQ(window.Text(Ctl::Label37), L"GridEx20:");
    EXPECT_EQ(window.Text(Ctl::Label39), L"Microsoft XML-Bibliothek:");
}

}  // namespace

TEST_F(ComponentsOnTheMachine, VersionsWithAndWithoutBuild) {
    FormDriver window;
    window.ChooseTab(kComponentsTab);
    EXPECT_EQ(window.Text(Ctl::Frame3), L"Other Required Software Components");
    EXPECT_EQ(window.Text(Ctl::Label18), L"Visual Basic 6 Runtime:");
    EXPECT_EQ(window.Text(Ctl::Label17), L"6.0.98");
    EXPECT_EQ(window.Text(Ctl::Label15), L"VB Script Version:");
    EXPECT_EQ(window.Text(Ctl::Label16), L"5.6.0 (Build 8820)");
    EXPECT_EQ(window.Text(Ctl::Label34), L"Not available");
    ExpectFixedCaptions(window);
}

TEST_F(ComponentsOnTheMachine, GermanUserSeesNichtVorhanden) {
    FormDriver window;
    window.ChooseTab(kComponentsTab);
    EXPECT_EQ(window.Text(Ctl::Frame3), L"Weitere von Quillnest ben\u00F6tigte Software-Komponenten");
    EXPECT_EQ(window.Text(Ctl::Label18), L"Visual Basic 6-Runtime:");
    EXPECT_EQ(window.Text(Ctl::Label16), L"5.6.0 (Build 8820)");
    EXPECT_EQ(window.Text(Ctl::Label34), L"Nicht vorhanden");
    ExpectFixedCaptions(window);
}
