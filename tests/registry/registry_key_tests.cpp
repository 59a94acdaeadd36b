// Key operations, their failure messages, and that no operation leaves a key open.
#include <gtest/gtest.h>

#include <functional>

#include "ScratchKey.h"
#include "platform/Registry.h"
#include "support/TestSupport.h"

using namespace qn;
using qn::test::ScratchKey;

namespace {

// Expects `operation` to raise error 26001 of the class with `description`.
void ExpectRegistryError(const std::function<void()>& operation, const std::wstring& description) {
    try {
        operation();
        ADD_FAILURE() << "no error";
    } catch (const RegistryError& error) {
        EXPECT_EQ(error.Number, 26001);
        EXPECT_EQ(error.Source, L"QNRepair.cRegistry");
        EXPECT_EQ(error.Description, description);
    }
}

// The handle value the system gives to the next key opened. Handle slots are reused, so this
// stays the same across an operation exactly when the operation left no handle open.
HKEY NextKeyHandle() {
    HKEY key = nullptr;
    EXPECT_EQ(::RegOpenKeyExW(HKEY_CURRENT_USER, L"Software", 0, KEY_QUERY_VALUE, &key), ERROR_SUCCESS);
    ::RegCloseKey(key);
    return key;
}

}  // namespace

TEST(RegistryKeys, RootKeysAreThePlatformHandles) {
    EXPECT_EQ(kHKeyClassesRoot, -2147483647 - 1);
    EXPECT_EQ(kHKeyLocalMachine, -2147483646);
    EXPECT_EQ(ToHKey(kHKeyClassesRoot), HKEY_CLASSES_ROOT);
    EXPECT_EQ(ToHKey(kHKeyCurrentUser), HKEY_CURRENT_USER);
    EXPECT_EQ(ToHKey(kHKeyLocalMachine), HKEY_LOCAL_MACHINE);
}

TEST(RegistryKeys, KeyExistsFollowsTheQuillnestFileType) {
    cRegistry registry;
    registry.SectionKey(L".qna");
    EXPECT_FALSE(registry.KeyExists());  // root never set
    registry.ClassKey(kHKeyClassesRoot);
    {
        qn::test::ScopedRegKey present(HKEY_CLASSES_ROOT, L".qna", true);
        EXPECT_TRUE(registry.KeyExists());
    }
    qn::test::ScopedRegKey absent(HKEY_CLASSES_ROOT, L".qna", false);
    EXPECT_FALSE(registry.KeyExists());
}

TEST(RegistryKeys, CreateAndDeleteKeyAndValue) {
    ScratchKey scratch(kHKeyLocalMachine);
    cRegistry registry = scratch.Registry(L"V");
    registry.SectionKey(scratch.path() + L"\\A\\B");
    EXPECT_TRUE(registry.CreateKey());
    EXPECT_TRUE(registry.KeyExists());
    EXPECT_TRUE(registry.CreateKey());  // an existing key is fine

    registry.ValueType(REG_SZ);
    registry.Value(std::wstring(L"x"));
    EXPECT_TRUE(registry.DeleteValue());
    EXPECT_FALSE(qn::test::ReadRawValue(scratch.hkey(), registry.SectionKey(), L"V"));
    EXPECT_TRUE(registry.KeyExists());

    EXPECT_TRUE(registry.DeleteKey());
    EXPECT_FALSE(registry.KeyExists());
}

TEST(RegistryKeys, FailuresNameRootSectionAndValue) {
    ScratchKey scratch(kHKeyLocalMachine, L"Software\\X");
    cRegistry registry = scratch.Registry(L"V");
    ExpectRegistryError([&] { registry.DeleteKey(); },
                        L"Failed to delete registry Key: '-2147483646',Section: 'Software\\X");
    ExpectRegistryError([&] { registry.DeleteValue(); },
                        L"Failed to open key '-2147483646',Section: 'Software\\X' for delete access");
    registry.CreateKey();
    ExpectRegistryError([&] { registry.DeleteValue(); },
                        L"Failed to delete registry Key: '-2147483646',Section: 'Software\\X',Key: 'V");

    registry.ClassKey(kHKeyClassesRoot);
    registry.SectionKey(L"QNRepairTests\\Missing");
    ExpectRegistryError([&] { registry.DeleteKey(); },
                        L"Failed to delete registry Key: '-2147483648',Section: 'QNRepairTests\\Missing");
    registry.SectionKey(L"\\Leading\\Backslash");
    ExpectRegistryError([&] { registry.CreateKey(); }, L"Failed to create registry Key: '\\Leading\\Backslash");
}

TEST(RegistryKeys, NoOperationLeavesAKeyOpen) {
    ScratchKey scratch(kHKeyLocalMachine);
    qn::test::WriteString(scratch.hkey(), scratch.path(), L"Text", L"x");
    const std::vector<std::pair<const char*, std::function<void(cRegistry&)>>> operations = {
        {"KeyExists", [](cRegistry& r) { r.KeyExists(); }},
        {"CreateKey", [](cRegistry& r) { r.CreateKey(); }},
        {"read", [](cRegistry& r) { r.Value(); }},
        {"read missing value", [](cRegistry& r) { r.ValueKey(L"Missing"); r.Value(); }},
        {"write", [](cRegistry& r) { r.ValueType(REG_SZ); r.Value(std::wstring(L"y")); }},
        {"write failing", [](cRegistry& r) { r.ValueType(REG_MULTI_SZ); EXPECT_THROW(r.Value(int32_t{1}), RegistryError); }},
        {"delete value failing",
         [](cRegistry& r) { r.ValueKey(L"Missing"); EXPECT_THROW(r.DeleteValue(), RegistryError); }},
        {"delete value", [](cRegistry& r) { r.DeleteValue(); }},
    };
    NextKeyHandle();  // the first use of a root key may keep a handle of its own
    const HKEY before = NextKeyHandle();
    for (const auto& [what, operation] : operations) {
        cRegistry registry = scratch.Registry(L"Text");
        operation(registry);
        EXPECT_EQ(NextKeyHandle(), before) << what << " left a key open";
    }

    HKEY leaked = nullptr;  // the probe sees a key left open
    ASSERT_EQ(::RegOpenKeyExW(scratch.hkey(), scratch.path().c_str(), 0, KEY_READ, &leaked), ERROR_SUCCESS);
    EXPECT_NE(NextKeyHandle(), before);
    ::RegCloseKey(leaked);
}
