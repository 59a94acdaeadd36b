// The system's own error texts, as the program shows them to the user.
#include <gtest/gtest.h>

#include "platform/SystemMessage.h"

using namespace qn;

TEST(SystemMessage, KnownCodeGivesTextWithoutTrailingLineBreak) {
    for (const DWORD code : {DWORD{ERROR_FILE_NOT_FOUND}, DWORD{ERROR_ACCESS_DENIED},
                             DWORD{ERROR_BAD_EXE_FORMAT}, DWORD{ERROR_MOD_NOT_FOUND}}) {
        const std::wstring text = SystemMessage(code);
        ASSERT_FALSE(text.empty()) << code;
        EXPECT_EQ(text.find_last_of(L"\r\n"), std::wstring::npos) << code;
        EXPECT_NE(text.back(), L' ') << code;
    }
}

TEST(SystemMessage, UnknownCodeGivesEmptyText) {
    EXPECT_EQ(SystemMessage(0x8FFF1234), L"");
    EXPECT_EQ(SystemMessage(0x8FFF1234, MAKELANGID(LANG_GERMAN, SUBLANG_GERMAN)), L"");
}

TEST(SystemMessage, MissingLanguageFallsBackToTheSystemsText) {
    // Hardly any system carries its error texts in Zulu.
    const std::wstring text = SystemMessage(ERROR_FILE_NOT_FOUND, MAKELANGID(LANG_ZULU, SUBLANG_DEFAULT));
    EXPECT_EQ(text, SystemMessage(ERROR_FILE_NOT_FOUND));
}
