// A registry key of the test's own below Software\QNRepairTests, removed with everything in it
// afterwards.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "platform/Registry.h"

namespace qn::test {

inline std::wstring CurrentTestName() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    const std::string name = std::string(info->test_suite_name()) + "." + info->name();
    return std::wstring(name.begin(), name.end());
}

class ScratchKey {
public:
    explicit ScratchKey(RegistryRootKey root, std::wstring path = L"Software\\QNRepairTests\\" + CurrentTestName())
        : root_(root), path_(std::move(path)) {
        ::RegDeleteTreeW(ToHKey(root_), path_.c_str());
        ::RegDeleteKeyW(ToHKey(root_), path_.c_str());
    }
    ~ScratchKey() {
        ::RegDeleteTreeW(ToHKey(root_), path_.c_str());
        ::RegDeleteKeyW(ToHKey(root_), path_.c_str());
        ::RegDeleteKeyW(ToHKey(root_), L"Software\\QNRepairTests");  // only once it is empty
    }
    ScratchKey(const ScratchKey&) = delete;
    ScratchKey& operator=(const ScratchKey&) = delete;

    RegistryRootKey root() const { return root_; }
    HKEY hkey() const { return ToHKey(root_); }
    const std::wstring& path() const { return path_; }

    cRegistry Registry(const std::wstring& valueName = L"V") const {
        cRegistry registry;
        registry.ClassKey(root_);
        registry.SectionKey(path_);
        registry.ValueKey(valueName);
        return registry;
    }

private:
    RegistryRootKey root_;
    std::wstring path_;
};

// The bytes of `text` in UTF-16, with its terminating NUL when `withNul`.
inline std::vector<BYTE> Utf16Bytes(const std::wstring& text, bool withNul = true) {
    const auto* first = reinterpret_cast<const BYTE*>(text.c_str());
    return std::vector<BYTE>(first, first + (text.size() + (withNul ? 1 : 0)) * sizeof(wchar_t));
}

}  // namespace qn::test
