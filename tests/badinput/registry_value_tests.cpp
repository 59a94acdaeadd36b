// Version texts in the registry that are not what Windows writes there: the page shows the
// fallback (an empty version) for what is not text, text without its NUL in full, text too long
// for a label cut short, and the window goes on working.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "badinput/BadInput.h"
#include "support/FormDriver.h"
#include "support/TestSupport.h"

using namespace qn;
using namespace qn::test;

namespace {

struct VersionValue {
    const char* name;
    const wchar_t* key;
    const wchar_t* value;
    int tab;       // page that shows it
    Ctl label;     // control that shows it
    Ctl heading;   // a fixed text of the same page, to see the page still filled
};

const VersionValue kMdacVersion{"FullInstallVer", L"Software\\Microsoft\\DataAccess", L"FullInstallVer", 0,
                                Ctl::Label8, Ctl::Label7};
const VersionValue kIeVersion{"IE Version", L"Software\\Microsoft\\Internet Explorer", L"Version", 2,
                              Ctl::Label13, Ctl::Label14};

struct BadData {
    const char* name;
    RawValue raw;
    std::wstring shown;
};

RawValue Text(const std::wstring& text, bool withNul) {
    const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
    return {REG_SZ, std::vector<BYTE>(first, first + (text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t))};
}

// 1 MiB of text that begins like a version.
std::wstring HugeText() {
    std::wstring text = L"2.81.1117.0";
    text.resize(1024 * 1024 / sizeof(wchar_t) - 1, L'9');
    return text;
}

std::vector<BadData> BadDataCases() {
    const DWORD number = 0x02510000;
    const BYTE binary[] = {'2', 0, '.', 0, '8', 0, 0, 0};
    const std::wstring huge = HugeText();
    return {
        {"Dword", {REG_DWORD, std::vector<BYTE>(reinterpret_cast<const BYTE*>(&number),
                                                reinterpret_cast<const BYTE*>(&number) + 4)}, L""},
        {"Binary", {REG_BINARY, std::vector<BYTE>(binary, binary + sizeof(binary))}, L""},
        {"Empty", {REG_SZ, {}}, L""},
        {"WithoutNul", Text(L"2.81.1117.0", false), L"2.81.1117.0"},
        // A label shows one line: the first 64 characters, marked as cut.
        {"OneMebibyte", Text(huge, true), huge.substr(0, 64) + L"\u2026"},
    };
}

void PrintTo(const VersionValue& where, std::ostream* out) { *out << where.name; }
void PrintTo(const BadData& data, std::ostream* out) { *out << data.name; }

class BadVersionValue : public ::testing::TestWithParam<std::tuple<VersionValue, BadData>> {};

}  // namespace

TEST_P(BadVersionValue, PageShowsFallbackAndWindowKeepsWorking) {
    const auto& [where, data] = GetParam();
    const ScopedRegValue value(HKEY_LOCAL_MACHINE, where.key, where.value, data.raw);
    FormDriver window;
    window.ChooseTab(where.tab);
    window.Pump();
    EXPECT_EQ(window.Text(where.label), data.shown);
    EXPECT_FALSE(window.Text(where.heading).empty());

    // Other pages and the same page again.
    window.ChooseTab(where.tab == 0 ? 1 : 0);
    window.Pump();
    window.ChooseTab(where.tab);
    window.Pump();
    EXPECT_EQ(window.Text(where.label), data.shown);
    EXPECT_TRUE(Responds(window.hwnd()));
}

INSTANTIATE_TEST_SUITE_P(BadInput, BadVersionValue,
                         ::testing::Combine(::testing::Values(kMdacVersion, kIeVersion),
                                            ::testing::ValuesIn(BadDataCases())),
                         [](const auto& test) {
                             std::string name = std::get<0>(test.param).name;
                             name = name == "FullInstallVer" ? "MdacVersion" : "IeVersion";
                             return name + "_" + std::get<1>(test.param).name;
                         });

TEST(BadInput, MdacVersionThatIsNoTextCountsAsOlderAndKeepsTheLink) {
    const DWORD number = 0x7FFFFFFF;
    const ScopedRegValue value(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\DataAccess", L"FullInstallVer",
                               RawValue{REG_DWORD, std::vector<BYTE>(reinterpret_cast<const BYTE*>(&number),
                                                                     reinterpret_cast<const BYTE*>(&number) + 4)});
    FormDriver window;
    EXPECT_TRUE(window.Visible(Ctl::Label19));
    EXPECT_TRUE(window.Visible(Ctl::Label21));
}

TEST(BadInput, HugeMdacVersionIsComparedInFull) {
    // Cut or not, the text is greater than the newest version: the link goes.
    const ScopedRegValue value(HKEY_LOCAL_MACHINE, L"Software\\Microsoft\\DataAccess", L"FullInstallVer", HugeText());
    FormDriver window;
    EXPECT_FALSE(window.Visible(Ctl::Label19));
    EXPECT_FALSE(window.Visible(Ctl::Label21));
}
