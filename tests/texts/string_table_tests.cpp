// The string table: complete in both languages, the texts that are easy to get wrong, and the
// choice of language by the user's language.
#include <gtest/gtest.h>

#include "platform/Strings.h"
#include "resources/resource.h"

using namespace qn;

namespace {

constexpr LANGID kGerman = MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN);
constexpr LANGID kEnglish = MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US);

std::wstring HostOf(const std::wstring& url) {
    const size_t start = url.find(L"://");
    if (start == std::wstring::npos) return {};
    const size_t end = url.find(L'/', start + 3);
    return url.substr(start + 3, end == std::wstring::npos ? std::wstring::npos : end - start - 3);
}

std::wstring PathOf(const std::wstring& url) {
    const std::wstring host = HostOf(url);
    return host.empty() ? std::wstring() : url.substr(url.find(host) + host.size());
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
    return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

}  // namespace

TEST(StringTable, EveryIdExistsInBothLanguagesExcept109) {
    for (UINT id = 100; id <= 136; ++id) {
        for (const LANGID language : {kGerman, kEnglish}) {
            EXPECT_EQ(LoadResString(id, language).empty(), id == 109) << "id " << id << " language " << language;
        }
    }
}

TEST(StringTable, RepairSummaryReportAndCommandLineAreTranslated) {
    for (UINT id = IDS_REPAIR_FAILED_TITLE; id <= IDS_CLI_CANNOT_WRITE; ++id) {
        if (id > IDS_REPAIR_RUN_AS_ADMIN && id < IDS_MENU_COPY_REPORT) continue;
        const std::wstring german = LoadResString(id, kGerman);
        EXPECT_FALSE(german.empty()) << id;
        // "Computer:" is the same word in both languages.
        if (id != IDS_REPORT_COMPUTER) {
            EXPECT_NE(german, LoadResString(id, kEnglish)) << id;
        }
    }
}

TEST(StringTable, ExactTexts) {
    struct Row {
        UINT id;
        const wchar_t* german;
        const wchar_t* english;
    };
    const Row rows[] = {
        {100, L"Analyse und Problembereinigung f\u00fcr Quillnest", L"Quillnest Problem Analysis & Repair"},
        {107, L"Laut Systemregistrierung installierte MDAC-Version:",
         L"According Windows Registry installed MDAC Version:"},
        {110, L"System-Spacheinstellung", L"System default language"},
        {112, L"Weitere von Quillnest ben\u00f6tigte Software-Komponenten", L"Other Required Software Components"},
        {122, L"Aktuell bei Microsoft verf\u00fcgbare Version f\u00fcr MS Jet 4.0:",
         L"Currently at Microsoft available version for MS Jet 4.0:"},
        {127, L"Tempor\u00e4re Dateien:", L"Temporary Files:"},
        {129, L"Vorhandene Jet 4.0-Systemdateien", L"Available Jet 4.0 System Files:"},
        {133, L"MDAC- und Microsoft JET-Analyse und Reparatur-Utility",
         L"MDAC and Microsoft JET Analysis and Repair Utility"},
        {134, L"Quillnest - die Software, mit der Sie besser im Internet recherchieren k\u00f6nnen:",
         L"Quillnest - the software that enables you to do better researches on the Web:"},
        {136, L"Quillnest - f\u00fcr bessere Internet-Recherchen!", L"Quillnest - for better researches on the Web!"},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(LoadResString(row.id, kGerman), row.german) << "id " << row.id;
        EXPECT_EQ(LoadResString(row.id, kEnglish), row.english) << "id " << row.id;
    }
}

TEST(StringTable, DownloadAddresses) {
    const std::wstring germanMdac = LoadResString(IDS_MDAC_DOWNLOAD_URL, kGerman);
    const std::wstring germanJet = LoadResString(IDS_JET_DOWNLOAD_URL, kGerman);
    const std::wstring englishMdac = LoadResString(IDS_MDAC_DOWNLOAD_URL, kEnglish);
    const std::wstring englishJet = LoadResString(IDS_JET_DOWNLOAD_URL, kEnglish);
    EXPECT_EQ(englishMdac, englishJet);
    EXPECT_NE(germanMdac, germanJet);
    EXPECT_EQ(PathOf(germanMdac), L"/de/download/mdac.html");
    EXPECT_EQ(PathOf(germanJet), L"/de/download/komponenten.html");
    EXPECT_EQ(PathOf(englishMdac), L"/en/download/components.html");

    // One German and one international host, both in the reserved .example domain, and the
    // advertising line names the host of its own language.
    for (const auto& [language, url] : {std::pair{kGerman, germanMdac}, std::pair{kEnglish, englishMdac}}) {
        const std::wstring host = HostOf(url);
        EXPECT_TRUE(EndsWith(host, L".example")) << "language " << language;
        EXPECT_EQ(HostOf(language == kGerman ? germanJet : englishJet), host);
        EXPECT_TRUE(EndsWith(LoadResString(IDS_AD_DOWNLOAD, language), L" " + host)) << "language " << language;
    }
    EXPECT_NE(HostOf(germanMdac), HostOf(englishMdac));
    EXPECT_EQ(LoadResString(IDS_AD_DOWNLOAD, kGerman).rfind(L"Downloaden Sie die Testversion unter ", 0), 0u);
    EXPECT_EQ(LoadResString(IDS_AD_DOWNLOAD, kEnglish).rfind(L"Download the free trial version at ", 0), 0u);
}

TEST(StringTable, EnglishUserGetsEnglish) {
    EXPECT_EQ(UserTextLanguage(), kEnglish);
    EXPECT_EQ(LoadResString(IDS_EXIT), L"Exit");
    EXPECT_EQ(LoadResString(IDS_TEMPORARY_FILES), L"Temporary Files:");
}

TEST(StringTable, GermanUserGetsGerman) {
    EXPECT_EQ(UserTextLanguage(), kGerman);
    EXPECT_EQ(LoadResString(IDS_EXIT), L"Beenden");
    EXPECT_EQ(LoadResString(IDS_TEMPORARY_FILES), L"Tempor\u00e4re Dateien:");
}
