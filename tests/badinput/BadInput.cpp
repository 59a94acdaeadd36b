#include "badinput/BadInput.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/TestSupport.h"

namespace qn::test {

void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes) {
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    EXPECT_TRUE(::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ::CloseHandle(file);
}

size_t VersionInfoOffset(const std::vector<BYTE>& bytes) {
    const wchar_t key[] = L"VS_VERSION_INFO";
    const auto* first = reinterpret_cast<const BYTE*>(key);
    const auto found = std::search(bytes.begin(), bytes.end(), first, first + sizeof(key));
    if (found == bytes.end()) {
        ADD_FAILURE() << "fixture without VS_VERSION_INFO";
        return 0;
    }
    // wLength, wValueLength and wType come before the key.
    return static_cast<size_t>(found - bytes.begin()) - 6;
}

void WriteDamagedCopy(const std::wstring& name, const std::wstring& path,
                      const std::function<void(std::vector<BYTE>&)>& damage) {
    const std::string raw = ReadBytes(FixturePath(name));
    std::vector<BYTE> bytes(raw.begin(), raw.end());
    ASSERT_FALSE(bytes.empty());
    damage(bytes);
    CreateDirectories(path.substr(0, path.rfind(L'\\')));
    WriteBytes(path, bytes);
}


bool Responds(HWND window) {
    DWORD_PTR result = 0;
    return ::IsWindow(window) &&
           ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

}  // namespace qn::test
