#include "badinput/BadInput.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/TestSupport.h"

namespace qn::test {

std::vector<BYTE> ReadBytes(const std::wstring& path) {
    std::vector<BYTE> bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    bytes.resize(::GetFileSize(file, nullptr));
    DWORD read = 0;
    if (!::ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr)) read = 0;
    bytes.resize(read);
    ::CloseHandle(file);
    return bytes;
}

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
    std::vector<BYTE> bytes = ReadBytes(FixturePath(name));
    ASSERT_FALSE(bytes.empty());
    damage(bytes);
    CreateDirectories(path.substr(0, path.rfind(L'\\')));
    WriteBytes(path, bytes);
}

ScopedFolder::ScopedFolder(std::wstring path) : path_(std::move(path)) {
    if (::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES) {
        backup_ = path_ + L".qntest-backup";
        EXPECT_TRUE(::MoveFileW(path_.c_str(), backup_.c_str()));
    }
    CreateDirectories(path_);
}

ScopedFolder::~ScopedFolder() {
    RemoveTree(path_);
    if (!backup_.empty()) ::MoveFileW(backup_.c_str(), path_.c_str());
}

namespace {

struct DialogSearch {
    HWND found = nullptr;
    const std::vector<HWND>* closed;
};

BOOL CALLBACK FindDialog(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<DialogSearch*>(context);
    WCHAR name[16] = {};
    ::GetClassNameW(window, name, 16);
    if (std::wstring(name) != L"#32770" || !::IsWindowVisible(window)) return TRUE;
    if (std::find(search.closed->begin(), search.closed->end(), window) != search.closed->end()) return TRUE;
    search.found = window;
    return FALSE;
}

std::wstring TextOf(HWND window) {
    WCHAR text[4096] = {};
    ::GetWindowTextW(window, text, 4096);
    return text;
}

}  // namespace

MessageBoxWatcher::MessageBoxWatcher(DWORD uiThreadId) : uiThreadId_(uiThreadId), thread_([this] { Watch(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

std::vector<MessageBoxWatcher::Box> MessageBoxWatcher::Seen() {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

void MessageBoxWatcher::Watch() {
    while (!stop_) {
        DialogSearch search{nullptr, &closed_};
        ::EnumThreadWindows(uiThreadId_, FindDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            Box box{TextOf(search.found), TextOf(::GetDlgItem(search.found, 0xFFFF))};
            {
                std::lock_guard<std::mutex> lock(mutex_);
                seen_.push_back(box);
            }
            closed_.push_back(search.found);
            ::PostMessageW(search.found, WM_COMMAND, IDOK, 0);
        }
        ::Sleep(20);
    }
}

bool Responds(HWND window) {
    DWORD_PTR result = 0;
    return ::IsWindow(window) &&
           ::SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

}  // namespace qn::test
