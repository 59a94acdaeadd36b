// Writing values: the stored type and bytes for each ValueType, and the failures with their
// exact numbers and messages.
#include <gtest/gtest.h>

#include "ScratchKey.h"
#include "platform/Registry.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::RawValue;
using qn::test::ScratchKey;
using qn::test::Utf16Bytes;

namespace {

struct WriteCase {
    const char* what;
    RegistryValueType valueType;
    RegValue value;
    std::optional<RawValue> stored;  // nothing when the write is skipped
};

}  // namespace

TEST(RegistryWrite, StoresTypeAndBytesByValueType) {
    const std::vector<WriteCase> cases = {
        {"variable with 1", REG_SZ, std::wstring(L"%TEMP%\\x"), RawValue{REG_EXPAND_SZ, Utf16Bytes(L"%TEMP%\\x")}},
        {"shortest variable", REG_SZ, std::wstring(L"%a%"), RawValue{REG_EXPAND_SZ, Utf16Bytes(L"%a%")}},
        {"percent sign with 2", REG_EXPAND_SZ, std::wstring(L"100%"), RawValue{REG_SZ, Utf16Bytes(L"100%")}},
        {"two percent signs with 2", REG_EXPAND_SZ, std::wstring(L"%%"), RawValue{REG_SZ, Utf16Bytes(L"%%")}},
        {"plain text", REG_SZ, std::wstring(L"2.80.1022.3"), RawValue{REG_SZ, Utf16Bytes(L"2.80.1022.3")}},
        {"integer as text", REG_SZ, int32_t{-42}, RawValue{REG_SZ, Utf16Bytes(L"-42")}},
        {"integer with 5", REG_DWORD_BIG_ENDIAN, int32_t{1}, RawValue{REG_DWORD, {0x01, 0x00, 0x00, 0x00}}},
        {"16-bit widened", REG_DWORD, int16_t{-2}, RawValue{REG_DWORD, {0xFE, 0xFF, 0xFF, 0xFF}}},
        {"text with 4", REG_DWORD, std::wstring(L"12"), std::nullopt},
        {"bytes", REG_BINARY, std::vector<uint8_t>{0x00, 0x7F, 0xFF}, RawValue{REG_BINARY, {0x00, 0x7F, 0xFF}}},
    };
    for (const WriteCase& c : cases) {
        SCOPED_TRACE(c.what);
        ScratchKey scratch(kHKeyCurrentUser);
        cRegistry registry = scratch.Registry();
        registry.ValueType(c.valueType);
        EXPECT_NO_THROW(registry.Value(c.value));
        const std::optional<RawValue> stored = qn::test::ReadRawValue(scratch.hkey(), scratch.path(), L"V");
        ASSERT_EQ(stored.has_value(), c.stored.has_value());
        if (stored) {
            EXPECT_EQ(stored->type, c.stored->type);
            EXPECT_EQ(stored->data, c.stored->data);
        }
    }
}

TEST(RegistryWrite, CreatesMissingKeys) {
    ScratchKey scratch(kHKeyLocalMachine);
    cRegistry registry;
    registry.ClassKey(kHKeyLocalMachine);
    registry.SectionKey(scratch.path() + L"\\A\\B");
    registry.ValueKey(L"V");
    registry.ValueType(REG_DWORD);
    registry.Value(int32_t{5});
    registry.ValueType(REG_NONE);
    EXPECT_EQ(registry.Value(), RegValue(int32_t{5}));
    EXPECT_EQ(registry.ValueType(), REG_DWORD);
}

TEST(RegistryWrite, BinaryReadBackWritesTheSameBytes) {
    ScratchKey scratch(kHKeyCurrentUser);
    const std::vector<BYTE> bytes = {0x10, 0x00, 0xA5};
    qn::test::WriteRawValue(scratch.hkey(), scratch.path(), L"V", REG_BINARY, bytes.data(), 3);
    cRegistry registry = scratch.Registry();
    const RegValue read = registry.Value();
    ASSERT_EQ(std::get<std::vector<uint8_t>>(read).size(), 3u);
    registry.ValueKey(L"Copy");
    registry.Value(read);
    const std::optional<RawValue> copy = qn::test::ReadRawValue(scratch.hkey(), scratch.path(), L"Copy");
    ASSERT_TRUE(copy);
    EXPECT_EQ(copy->type, static_cast<DWORD>(REG_BINARY));
    EXPECT_EQ(copy->data, bytes);
}

TEST(RegistryWrite, UnwritableTypesRaiseSetValueErrorAndChangeNothing) {
    ScratchKey scratch(kHKeyLocalMachine, L"Software\\X");
    for (const RegistryValueType type : {REG_MULTI_SZ, REG_NONE, REG_LINK, REG_QWORD}) {
        SCOPED_TRACE(type);
        cRegistry registry = scratch.Registry(L"V");
        registry.ValueType(type);
        registry.Default(int32_t{3});
        try {
            registry.Value(std::wstring(L"abc"));
            ADD_FAILURE() << "no error";
        } catch (const RegistryError& error) {
            EXPECT_EQ(error.Number, -2147194455);
            EXPECT_EQ(error.Source, L"QNRepair.cRegistry");
            EXPECT_EQ(error.Description,
                      L"Failed to set registry value Key: '-2147483646',Section: 'Software\\X',Key: 'V' "
                      L"to value: 'abc'");
            EXPECT_NE(std::string(error.what()).find("Failed to set registry value"), std::string::npos);
        }
        EXPECT_EQ(registry.ClassKey(), kHKeyLocalMachine);
        EXPECT_EQ(registry.SectionKey(), L"Software\\X");
        EXPECT_EQ(registry.ValueKey(), L"V");
        EXPECT_EQ(registry.ValueType(), type);
        EXPECT_EQ(registry.Default(), RegValue(int32_t{3}));
        EXPECT_FALSE(qn::test::ReadRawValue(scratch.hkey(), scratch.path(), L"V"));
    }
}

TEST(RegistryWrite, BinaryTypeNeedsByteArray) {
    ScratchKey scratch(kHKeyLocalMachine, L"Software\\X");
    cRegistry registry = scratch.Registry(L"V");
    registry.ValueType(REG_BINARY);
    try {
        registry.Value(int32_t{258});
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Number, 26001);
        EXPECT_EQ(error.Source, L"QNRepair.cRegistry");
        EXPECT_EQ(error.Description,
                  L"Failed to set registry value Key: '-2147483646',Section: 'Software\\X',Key: 'V' "
                  L"to value: '258': REG_BINARY data must be a byte array");
    }
    EXPECT_FALSE(qn::test::ReadRawValue(scratch.hkey(), scratch.path(), L"V"));
}

TEST(RegistryWrite, KeyThatCannotBeCreatedRaisesWithValueAsText) {
    cRegistry registry;
    registry.ClassKey(kHKeyClassesRoot);
    registry.SectionKey(L"\\Leading\\Backslash");
    registry.ValueKey(L"V");
    registry.ValueType(REG_SZ);
    try {
        registry.Value(std::vector<uint8_t>{0x01, 0xAB, 0x00});
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Number, 26001);
        EXPECT_EQ(error.Source, L"QNRepair.cRegistry");
        EXPECT_EQ(error.Description,
                  L"Failed to set registry value Key: '-2147483648',Section: '\\Leading\\Backslash',Key: 'V' "
                  L"to value: '01 AB 00'");
    }
}
