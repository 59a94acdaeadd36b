// Reading values of every kind from the real registry, including data that other writers store
// carelessly (no terminating NUL, odd length, too short).
#include <gtest/gtest.h>

#include "ScratchKey.h"
#include "platform/Registry.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::ScratchKey;
using qn::test::Utf16Bytes;

namespace {

std::wstring Environment(const wchar_t* name) {
    wchar_t value[MAX_PATH] = {};
    ::GetEnvironmentVariableW(name, value, MAX_PATH);
    return value;
}

std::vector<BYTE> Concat(std::vector<BYTE> first, const std::vector<BYTE>& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

struct ReadCase {
    const char* what;
    DWORD type;
    std::vector<BYTE> data;
    RegValue expected;
};

// ValueType before each read; a read that falls back to Default must leave it so.
constexpr RegistryValueType kUnchangedType = 3;
const RegValue kFallback = std::wstring(L"fallback");

}  // namespace

TEST(RegistryRead, GivesDataByTypeAndRecordsTheType) {
    const std::wstring systemRoot = Environment(L"SystemRoot");
    ASSERT_FALSE(systemRoot.empty());
    const std::wstring longExpandable = L"%SystemRoot%" + std::wstring(40000, L'a');
    const std::vector<ReadCase> cases = {
        {"REG_SZ", REG_SZ, Utf16Bytes(L"2.80.1022.3"), std::wstring(L"2.80.1022.3")},
        {"REG_SZ only NUL", REG_SZ, Utf16Bytes(L""), std::wstring()},
        {"REG_SZ no data", REG_SZ, {}, std::wstring()},
        {"REG_SZ without NUL", REG_SZ, Utf16Bytes(L"abc", false), std::wstring(L"abc")},
        {"REG_SZ odd length", REG_SZ, Concat(Utf16Bytes(L"abc", false), {'x'}), std::wstring(L"abc")},
        {"REG_SZ odd length after NUL", REG_SZ, Concat(Utf16Bytes(L"ab"), {'x'}), std::wstring(L"ab")},
        {"REG_EXPAND_SZ", REG_EXPAND_SZ, Utf16Bytes(L"%SystemRoot%\\system32"),
         systemRoot + L"\\system32"},
        {"REG_EXPAND_SZ without NUL", REG_EXPAND_SZ, Utf16Bytes(L"%SystemRoot%", false), systemRoot},
        {"REG_EXPAND_SZ too long to expand", REG_EXPAND_SZ, Utf16Bytes(longExpandable), longExpandable},
        {"REG_EXPAND_SZ no data", REG_EXPAND_SZ, {}, std::wstring()},
        {"REG_MULTI_SZ", REG_MULTI_SZ, Utf16Bytes(std::wstring(L"a\0bc\0", 5)), std::wstring(L"a\0bc\0", 5)},
        {"REG_MULTI_SZ last string without NUL", REG_MULTI_SZ, Utf16Bytes(std::wstring(L"a\0bc", 4), false),
         std::wstring(L"a\0bc\0", 5)},
        {"REG_MULTI_SZ without list end", REG_MULTI_SZ, Utf16Bytes(std::wstring(L"a\0bc", 4)),
         std::wstring(L"a\0bc\0", 5)},
        {"REG_MULTI_SZ empty list", REG_MULTI_SZ, Utf16Bytes(L""), std::wstring()},
        {"REG_DWORD", REG_DWORD, {0x01, 0x00, 0x00, 0x00}, int32_t{1}},
        {"REG_DWORD is signed", REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}, int32_t{-2}},
        {"REG_DWORD_BIG_ENDIAN", REG_DWORD_BIG_ENDIAN, {0x00, 0x00, 0x00, 0x01}, int32_t{1}},
        {"REG_DWORD_BIG_ENDIAN byte order", REG_DWORD_BIG_ENDIAN, {0x12, 0x34, 0x56, 0x78}, int32_t{0x12345678}},
        {"REG_BINARY", REG_BINARY, {0x00, 0x7F, 0xFF}, std::vector<uint8_t>{0x00, 0x7F, 0xFF}},
        {"REG_BINARY empty", REG_BINARY, {}, std::vector<uint8_t>{}},
        {"REG_NONE", REG_NONE, {0x41, 0x00}, std::vector<uint8_t>{0x41, 0x00}},
        {"REG_QWORD", REG_QWORD, {1, 2, 3, 4, 5, 6, 7, 8}, std::vector<uint8_t>{1, 2, 3, 4, 5, 6, 7, 8}},
    };
    ScratchKey scratch(kHKeyCurrentUser);
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(c.what);
        qn::test::WriteRawValue(scratch.hkey(), scratch.path(), L"V", c.type, c.data.data(),
                                static_cast<DWORD>(c.data.size()));
        cRegistry registry = scratch.Registry();
        registry.Default(kFallback);
        registry.ValueType(kUnchangedType);
        EXPECT_EQ(registry.Value(), c.expected);
        EXPECT_EQ(registry.ValueType(), static_cast<RegistryValueType>(c.type));
    }
}

TEST(RegistryRead, DwordShorterThanFourBytesGivesDefault) {
    ScratchKey scratch(kHKeyCurrentUser);
    for (const DWORD type : {REG_DWORD, REG_DWORD_BIG_ENDIAN}) {
        for (const std::vector<BYTE>& data : {std::vector<BYTE>{}, std::vector<BYTE>{0x01, 0x02, 0x03}}) {
            qn::test::WriteRawValue(scratch.hkey(), scratch.path(), L"V", type, data.data(),
                                    static_cast<DWORD>(data.size()));
            cRegistry registry = scratch.Registry();
            registry.Default(kFallback);
            registry.ValueType(kUnchangedType);
            EXPECT_EQ(registry.Value(), kFallback) << type << " with " << data.size() << " bytes";
            EXPECT_EQ(registry.ValueType(), kUnchangedType);
        }
    }
}

TEST(RegistryRead, UnreadableValueGivesDefaultAndKeepsValueType) {
    ScratchKey scratch(kHKeyLocalMachine);
    qn::test::WriteString(scratch.hkey(), scratch.path(), L"Other", L"x");
    struct Case {
        const char* what;
        RegistryRootKey root;
        std::wstring section;
        std::wstring value;
    };
    const std::vector<Case> cases = {
        {"missing key", kHKeyLocalMachine, scratch.path() + L"\\Missing", L"Other"},
        {"missing value", kHKeyLocalMachine, scratch.path(), L"V"},
        {"root never set", 0, scratch.path(), L"Other"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        cRegistry registry;
        if (c.root != 0) registry.ClassKey(c.root);
        registry.SectionKey(c.section);
        registry.ValueKey(c.value);
        registry.ValueType(REG_EXPAND_SZ);
        registry.Default(int32_t{7});
        EXPECT_EQ(registry.Value(), RegValue(int32_t{7}));
        EXPECT_EQ(registry.ValueType(), REG_EXPAND_SZ);
    }
    cRegistry untouched;
    EXPECT_EQ(untouched.Value(), RegValue());
}
