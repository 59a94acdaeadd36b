// Start-up on the real window: captions, advertising lines, fonts, icons, styles, first page.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

HIMAGELIST ButtonImages(HWND button) {
    BUTTON_IMAGELIST images{};
    ::SendMessageW(button, BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&images));
    return images.himl;
}

FormServices RunningOn(OsVersion os) {
    FormServices services;
    services.queryOsVersion = [os] { return os; };
    return services;
}

}  // namespace

TEST(StartUp, WithoutQuillnestAdvertisesIt) {
    ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", false);
    FormDriver window;
    EXPECT_EQ(window.Caption(), L"MDAC and Microsoft JET Analysis and Repair Utility");
    EXPECT_FALSE(window.form().State().bQuillnestInstalled);
    EXPECT_EQ(window.Text(Ctl::lblQNAd), L"Quillnest - for better researches on the Web!");
    EXPECT_EQ(window.Text(Ctl::lblQNAdLink), L"Download the free trial version at www.quillnest.example");
    EXPECT_TRUE(window.Visible(Ctl::lblQNAd));
    EXPECT_TRUE(window.Visible(Ctl::lblQNAdLink));
}

TEST(StartUp, EmptyQnaKeyMeansInstalled) {
    ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", true);
    FormDriver window;
    EXPECT_EQ(window.Caption(), L"Quillnest Problem Analysis & Repair");
    EXPECT_TRUE(window.form().State().bQuillnestInstalled);
    EXPECT_FALSE(window.Visible(Ctl::lblQNAd));
    EXPECT_FALSE(window.Visible(Ctl::lblQNAdLink));
    EXPECT_EQ(window.Text(Ctl::lblQNAd), L"");
}

TEST(StartUp, FixedCaptionsAndTabsInEnglish) {
    FormDriver window;
    EXPECT_EQ(window.Text(Ctl::cmdQuit), L"Exit");
    EXPECT_EQ(window.Text(Ctl::cmdAbout), L"About");
    EXPECT_EQ(window.TabCaption(0), L"MDAC");
    EXPECT_EQ(window.TabCaption(1), L"JET");
    EXPECT_EQ(window.TabCaption(2), L"Windows Settings");
    EXPECT_EQ(window.TabCaption(3), L"Other Components");
    window.ShowEveryPage();
    EXPECT_EQ(window.Text(Ctl::Label39), L"Microsoft XML-Bibliothek:");
}

TEST(StartUp, GermanUserGetsGermanTexts) {
    ScopedRegKey qna(HKEY_CLASSES_ROOT, L".qna", false);
    FormDriver window;
    EXPECT_EQ(window.Caption(), L"MDAC- und Microsoft JET-Analyse und Reparatur-Utility");
    EXPECT_EQ(window.Text(Ctl::cmdQuit), L"Beenden");
    EXPECT_EQ(window.Text(Ctl::cmdAbout), L"Info");
    EXPECT_EQ(window.TabCaption(0), L"MDAC");
    EXPECT_EQ(window.TabCaption(2), L"Windows-Einstellungen");
    EXPECT_EQ(window.TabCaption(3), L"Weitere Komponenten");
    EXPECT_EQ(window.Text(Ctl::lblQNAd), L"Quillnest - f\u00FCr bessere Internet-Recherchen!");
    EXPECT_EQ(window.Text(Ctl::Label7), L"Laut Systemregistrierung installierte MDAC-Version:");
    EXPECT_EQ(window.Text(Ctl::Command1), L"MDAC neu registrieren");
}

TEST(StartUp, OpensOnMdacPageWithFocusOnExit) {
    FormDriver window;
    EXPECT_TRUE(window.Visible(Ctl::picMDAC));
    EXPECT_FALSE(window.Visible(Ctl::picJET));
    EXPECT_FALSE(window.Visible(Ctl::picWindows));
    EXPECT_TRUE(window.Visible(Ctl::picComponents));  // covered by the MDAC page
    EXPECT_EQ(::SendMessageW(window.control(Ctl::TabStrip1), TCM_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(window.form().State().lLastTabFocus, 0);
    EXPECT_EQ(window.Focus(), window.control(Ctl::cmdQuit));
    EXPECT_FALSE(window.Visible(Ctl::ProgressBar1));
    // The other pages get their controls, and their analysis, only when their tab is chosen.
    for (const Ctl id : {Ctl::Label25, Ctl::Label10, Ctl::lvwJetFiles, Ctl::Label2, Ctl::Frame1, Ctl::Label38}) {
        EXPECT_EQ(window.control(id), nullptr) << static_cast<int>(id);
    }
    window.ChooseTab(1);
    EXPECT_EQ(window.Text(Ctl::Label10), L"4.0.8618");
    EXPECT_EQ(window.control(Ctl::Label2), nullptr);
}

TEST(StartUp, TahomaRuleLooksAtFirstSixCharactersExactly) {
    const auto face = [](const wchar_t* name) {
        LOGFONTW font{};
        lstrcpynW(font.lfFaceName, name, LF_FACESIZE);
        return font;
    };
    EXPECT_TRUE(IsTahoma(face(L"Tahoma")));
    EXPECT_TRUE(IsTahoma(face(L"Tahoma Condensed")));
    EXPECT_FALSE(IsTahoma(face(L"tahoma")));
    EXPECT_FALSE(IsTahoma(face(L"Tahom")));
    EXPECT_FALSE(IsTahoma(face(L"")));
    EXPECT_FALSE(IsTahoma(face(L" Tahoma")));
}

TEST(StartUp, TahomaIconTitleFontSwitchesEveryControl) {
    {
        ScopedIconTitleFace face(L"Tahoma");
        FormDriver window;
        window.ShowEveryPage();
        EXPECT_EQ(window.FontFace(Ctl::Label7), L"Tahoma");
        EXPECT_EQ(window.FontFace(Ctl::cmdQuit), L"Tahoma");
        EXPECT_EQ(window.FontFace(Ctl::lvwMDACFiles), L"Tahoma");
        EXPECT_EQ(window.FontFace(Ctl::Label38), L"Tahoma");
    }
    ScopedIconTitleFace face(L"Arial");
    FormDriver window;
    EXPECT_EQ(window.FontFace(Ctl::Label7), L"MS Sans Serif");
    EXPECT_EQ(window.FontFace(Ctl::cmdQuit), L"MS Sans Serif");
}

TEST(StartUp, RepairButtonsGetIconsOnlyOnWindowsXP) {
    {
        FormDriver window(RunningOn({VER_PLATFORM_WIN32_NT, 5, 1, 2600}));
        window.ShowEveryPage();
        EXPECT_EQ(window.form().State().lWinVersion, 6);
        EXPECT_NE(ButtonImages(window.control(Ctl::Command1)), nullptr);
        EXPECT_NE(ButtonImages(window.control(Ctl::Command3)), nullptr);
        EXPECT_EQ(ButtonImages(window.control(Ctl::cmdQuit)), nullptr);
        EXPECT_EQ(ButtonImages(window.control(Ctl::cmdAbout)), nullptr);
    }
    for (const OsVersion os : {OsVersion{2, 5, 0, 2195}, OsVersion{1, 4, 10, 2222}, OsVersion{2, 4, 0, 1381},
                               OsVersion{2, 6, 1, 7601}, OsVersion{1, 4, 3, 0}}) {
        FormDriver window(RunningOn(os));
        window.ShowEveryPage();
        EXPECT_EQ(ButtonImages(window.control(Ctl::Command1)), nullptr) << os.major << "." << os.minor;
        EXPECT_EQ(ButtonImages(window.control(Ctl::Command3)), nullptr);
    }
}

TEST(StartUp, FileListsGetFullRowSelectAndLabelTipsAndGermanHeaders) {
    FormDriver window;
    window.ShowEveryPage();
    for (const Ctl list : {Ctl::lvwMDACFiles, Ctl::lvwJetFiles}) {
        const auto style = ::SendMessageW(window.control(list), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0);
        EXPECT_EQ(style & (LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP), LVS_EX_FULLROWSELECT | LVS_EX_LABELTIP);
        const auto header = reinterpret_cast<HWND>(::SendMessageW(window.control(list), LVM_GETHEADER, 0, 0));
        const wchar_t* expected[] = {L"Dateiname", L"Dateiversion", L"Pfad"};
        for (int column = 0; column < 3; ++column) {
            WCHAR text[64] = {};
            HDITEMW item{};
            item.mask = HDI_TEXT;
            item.pszText = text;
            item.cchTextMax = 64;
            ::SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&item));
            EXPECT_STREQ(text, expected[column]);
        }
    }
}

TEST(StartUp, ManifestBindsCommonControlsSix) {
    FormDriver window;
    WCHAR path[MAX_PATH] = {};
    ::GetModuleFileNameW(::GetModuleHandleW(L"comctl32.dll"), path, MAX_PATH);
    EXPECT_NE(std::wstring(path).find(L"winsxs"), std::wstring::npos) << std::string(path, path + lstrlenW(path));
}
