#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cwchar>

#include <tlhelp32.h>

#include "platform/Handles.h"
#include "platform/RegistryTree.h"

namespace qn::test {

namespace {
// A window that a test creates without naming QNRepair.exe as its capture host would start the
// test program itself as one, which would run every test again, and so on. Such a start ends
// here, before any test runs.
const bool kNotACaptureHost = [] {
    if (std::wcsstr(::GetCommandLineW(), L"/capture-registration")) ::ExitProcess(ERROR_BAD_ARGUMENTS);
    return true;
}();
}  // namespace

std::wstring TestDir() {
    WCHAR path[MAX_PATH] = {};
    ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path);
    return dir.substr(0, dir.rfind(L'\\'));
}

std::wstring ProgramPath() {
    const std::wstring tests = TestDir();
    return tests.substr(0, tests.rfind(L'\\')) + L"\\QNRepair.exe";
}

void RemoveFixtureRegistration() {
    qn::DeleteRegTree(HKEY_CLASSES_ROOT, kFixtureClassKey);
    qn::DeleteRegTree(HKEY_CLASSES_ROOT, kFixtureProgIdKey);
    qn::DeleteRegTree(HKEY_LOCAL_MACHINE, kFixtureMachineKey);
}

int RunningChildren(const std::wstring& fileName) {
    const HANDLE raw = ::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (raw == INVALID_HANDLE_VALUE) return -1;
    const qn::UniqueKernelHandle snapshot(raw);
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    int count = 0;
    for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more; more = ::Process32NextW(snapshot.get(), &entry)) {
        if (entry.th32ParentProcessID == ::GetCurrentProcessId() && ::lstrcmpiW(entry.szExeFile, fileName.c_str()) == 0) ++count;
    }
    return count;
}

std::wstring FixturePath(const std::wstring& name) { return TestDir() + L"\\" + name + L".dll"; }

void CreateDirectories(const std::wstring& path) {
    for (size_t pos = path.find(L'\\', 3); ; pos = path.find(L'\\', pos + 1)) {
        ::CreateDirectoryW(path.substr(0, pos).c_str(), nullptr);
        if (pos == std::wstring::npos) break;
    }
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    HANDLE search = ::FindFirstFileW((path + L"\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                ::SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                ::DeleteFileW(child.c_str());
            }
        } while (::FindNextFileW(search, &found));
        ::FindClose(search);
    }
    ::RemoveDirectoryW(path.c_str());
}

namespace {
std::wstring MoveAside(const std::wstring& path) {
    if (::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return {};
    const std::wstring backup = path + L".qntest-backup";
    ::DeleteFileW(backup.c_str());
    if (!::MoveFileW(path.c_str(), backup.c_str())) {
        ADD_FAILURE() << "cannot move aside " << std::string(path.begin(), path.end());
        return {};
    }
    return backup;
}

void PutBack(const std::wstring& path, const std::wstring& backup) {
    ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::DeleteFileW(path.c_str());
    if (!backup.empty()) ::MoveFileW(backup.c_str(), path.c_str());
}
}  // namespace

ScopedFile::ScopedFile(std::wstring path, const std::wstring& source) : path_(std::move(path)) {
    CreateDirectories(path_.substr(0, path_.rfind(L'\\')));
    backup_ = MoveAside(path_);
    if (source.empty()) {
        HANDLE file = ::CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE);
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    } else {
        EXPECT_TRUE(::CopyFileW(source.c_str(), path_.c_str(), FALSE))
            << "copy to " << std::string(path_.begin(), path_.end()) << " failed: " << ::GetLastError();
    }
}

ScopedFile::~ScopedFile() { PutBack(path_, backup_); }

ScopedAbsence::ScopedAbsence(std::wstring path) : path_(std::move(path)), backup_(MoveAside(path_)) {}
ScopedAbsence::~ScopedAbsence() { PutBack(path_, backup_); }

bool IsDirectory(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

ScopedDirectory::ScopedDirectory(std::wstring path, bool present) : path_(std::move(path)) {
    const bool exists = ::GetFileAttributesW(path_.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (exists && (!present || !IsDirectory(path_))) {
        backup_ = path_ + L".qntest-backup";
        EXPECT_TRUE(::MoveFileW(path_.c_str(), backup_.c_str()));
    }
    if (present && !IsDirectory(path_)) {
        created_ = path_;  // the topmost folder this creates
        for (size_t cut = created_.rfind(L'\\'); cut != std::wstring::npos && cut > 2 &&
                                                 !IsDirectory(created_.substr(0, cut));
             cut = created_.rfind(L'\\')) {
            created_.resize(cut);
        }
        CreateDirectories(path_);
    }
}

ScopedDirectory::~ScopedDirectory() {
    if (!created_.empty()) RemoveTree(created_);
    if (!backup_.empty()) ::MoveFileW(backup_.c_str(), path_.c_str());
}

ScopedCurrentDirectory::ScopedCurrentDirectory(const std::wstring& path) {
    WCHAR previous[MAX_PATH + 1] = {};
    ::GetCurrentDirectoryW(MAX_PATH, previous);
    previous_ = previous;
    EXPECT_TRUE(::SetCurrentDirectoryW(path.c_str())) << ::GetLastError();
}

ScopedCurrentDirectory::~ScopedCurrentDirectory() { ::SetCurrentDirectoryW(previous_.c_str()); }

TempDir::TempDir() {
    WCHAR temp[MAX_PATH + 1] = {};
    ::GetTempPathW(MAX_PATH, temp);
    path_ = std::wstring(temp) + L"qntest-" + std::to_wstring(::GetCurrentProcessId()) + L"-" +
            std::to_wstring(::GetTickCount());
    for (int n = 0; !::CreateDirectoryW(path_.c_str(), nullptr); ++n) path_ += std::to_wstring(n);
}

TempDir::~TempDir() { RemoveTree(path_); }

PlantedDependency::PlantedDependency()
    : plant_(TestDir() + L"\\fx_dep_base.dll", TestDir() + L"\\planted\\fx_dep_base.dll") {
    // The plant writes its path to the file this variable names when it is loaded.
    EXPECT_TRUE(::SetEnvironmentVariableW(L"QN_PLANT_MARKER", (markerDir_.path() + L"\\plant.log").c_str()));
}

PlantedDependency::~PlantedDependency() { ::SetEnvironmentVariableW(L"QN_PLANT_MARKER", nullptr); }

bool PlantedDependency::WasLoaded() const { return !ReadLines(markerDir_.path() + L"\\plant.log").empty(); }

std::wstring PlantedDependency::Genuine() { return TestDir() + L"\\dependency\\fx_dep_base.dll"; }

std::optional<RawValue> ReadRawValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return std::nullopt;
    RawValue value;
    DWORD size = 0;
    LONG result = ::RegQueryValueExW(opened, name.c_str(), nullptr, &value.type, nullptr, &size);
    if (result == ERROR_SUCCESS) {
        value.data.resize(size);
        result = ::RegQueryValueExW(opened, name.c_str(), nullptr, &value.type,
                                    value.data.empty() ? nullptr : value.data.data(), &size);
        value.data.resize(size);
    }
    ::RegCloseKey(opened);
    if (result != ERROR_SUCCESS) return std::nullopt;
    return value;
}

void WriteRawValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                   const void* data, DWORD size) {
    HKEY opened = nullptr;
    ASSERT_EQ(::RegCreateKeyExW(root, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &opened, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegSetValueExW(opened, name.c_str(), 0, type, static_cast<const BYTE*>(data), size),
              ERROR_SUCCESS);
    ::RegCloseKey(opened);
}

void WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text) {
    WriteRawValue(root, key, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(WCHAR)));
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &opened) != ERROR_SUCCESS) return false;
    ::RegCloseKey(opened);
    return true;
}

namespace {
void DeleteValue(HKEY root, const std::wstring& key, const std::wstring& name) {
    HKEY opened = nullptr;
    if (::RegOpenKeyExW(root, key.c_str(), 0, KEY_SET_VALUE, &opened) != ERROR_SUCCESS) return;
    ::RegDeleteValueW(opened, name.c_str());
    ::RegCloseKey(opened);
}
}  // namespace

ScopedRegValue::ScopedRegValue(HKEY root, std::wstring key, std::wstring name, std::optional<RawValue> value)
    : root_(root), key_(std::move(key)), name_(std::move(name)), keyExisted_(KeyExists(root_, key_)),
      previous_(ReadRawValue(root_, key_, name_)) {
    if (value) {
        WriteRawValue(root_, key_, name_, value->type, value->data.data(), static_cast<DWORD>(value->data.size()));
    } else {
        DeleteValue(root_, key_, name_);
    }
}

ScopedRegValue::ScopedRegValue(HKEY root, std::wstring key, std::wstring name, const std::wstring& text)
    : ScopedRegValue(root, std::move(key), std::move(name),
                     RawValue{REG_SZ, std::vector<BYTE>(reinterpret_cast<const BYTE*>(text.c_str()),
                                                        reinterpret_cast<const BYTE*>(text.c_str() + text.size() + 1))}) {}

ScopedRegValue::~ScopedRegValue() {
    if (previous_) {
        WriteRawValue(root_, key_, name_, previous_->type, previous_->data.data(),
                      static_cast<DWORD>(previous_->data.size()));
    } else {
        DeleteValue(root_, key_, name_);
        if (!keyExisted_) ::RegDeleteKeyW(root_, key_.c_str());
    }
}

ScopedRegKey::ScopedRegKey(HKEY root, std::wstring key, bool present)
    : root_(root), key_(std::move(key)), existed_(KeyExists(root_, key_)) {
    if (present && !existed_) {
        HKEY created = nullptr;
        EXPECT_EQ(::RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &created, nullptr),
                  ERROR_SUCCESS);
        if (created) ::RegCloseKey(created);
    } else if (!present && existed_) {
        EXPECT_EQ(::RegDeleteKeyW(root_, key_.c_str()), ERROR_SUCCESS) << "key has subkeys";
    }
}

ScopedRegKey::~ScopedRegKey() {
    const bool exists = KeyExists(root_, key_);
    if (exists && !existed_) {
        ::RegDeleteTreeW(root_, key_.c_str());
        ::RegDeleteKeyW(root_, key_.c_str());
    } else if (!exists && existed_) {
        HKEY created = nullptr;
        ::RegCreateKeyExW(root_, key_.c_str(), 0, nullptr, 0, KEY_READ, nullptr, &created, nullptr);
        if (created) ::RegCloseKey(created);
    }
}

ScopedIconTitleFace::ScopedIconTitleFace(const wchar_t* face) {
    ::SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof(saved_), &saved_, 0);
    LOGFONTW changed = saved_;
    lstrcpynW(changed.lfFaceName, face, LF_FACESIZE);
    EXPECT_TRUE(::SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof(changed), &changed, 0));
}

ScopedIconTitleFace::~ScopedIconTitleFace() {
    ::SystemParametersInfoW(SPI_SETICONTITLELOGFONT, sizeof(saved_), &saved_, 0);
}

ScopedSysColors::ScopedSysColors(const std::vector<std::pair<int, COLORREF>>& colours) {
    std::vector<COLORREF> changed;
    for (const auto& [element, colour] : colours) {
        elements_.push_back(element);
        saved_.push_back(::GetSysColor(element));
        changed.push_back(colour);
    }
    EXPECT_TRUE(::SetSysColors(static_cast<int>(elements_.size()), elements_.data(), changed.data()));
}

ScopedSysColors::~ScopedSysColors() {
    ::SetSysColors(static_cast<int>(elements_.size()), elements_.data(), saved_.data());
}

void PumpMessages() {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

bool PumpUntil(const std::function<bool()>& done, const char* what) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        PumpMessages();
        if (done()) return true;
        if (::GetTickCount() - start >= kPatienceMs) break;
        // Wakes for the next message (a timer's too), or soon to look at `done` again.
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    ADD_FAILURE() << "waited " << kPatienceMs << " ms in vain: " << what;
    return false;
}

bool InputWaiting() { return HIWORD(::GetQueueStatus(QS_INPUT)) != 0; }

std::string ReadBytes(const std::wstring& path) {
    std::string bytes;
    HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return bytes;
    char chunk[4096];
    DWORD read = 0;
    while (::ReadFile(file, chunk, sizeof(chunk), &read, nullptr) && read > 0) bytes.append(chunk, read);
    ::CloseHandle(file);
    return bytes;
}

std::wstring FromUtf8(const std::string& bytes) {
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), length);
    return wide;
}

std::vector<std::wstring> ReadLines(const std::wstring& path) {
    std::vector<std::wstring> lines;
    const std::string bytes = ReadBytes(path);
    size_t start = 0;
    while (start < bytes.size()) {
        size_t end = bytes.find('\n', start);
        if (end == std::string::npos) end = bytes.size();
        lines.push_back(FromUtf8(bytes.substr(start, end - start)));
        start = end + 1;
    }
    return lines;
}

ScopedEnvironment::ScopedEnvironment(std::wstring name, const std::wstring& value) : name_(std::move(name)) {
    WCHAR old[32768];
    const DWORD length = ::GetEnvironmentVariableW(name_.c_str(), old, 32768);
    if (length > 0 && length < 32768) previous_ = std::wstring(old, length);
    ::SetEnvironmentVariableW(name_.c_str(), value.c_str());
}

ScopedEnvironment::~ScopedEnvironment() {
    ::SetEnvironmentVariableW(name_.c_str(), previous_ ? previous_->c_str() : nullptr);
}

std::wstring ClipboardText() {
    std::wstring text;
    if (!::OpenClipboard(nullptr)) return text;
    if (const HANDLE data = ::GetClipboardData(CF_UNICODETEXT)) {
        if (const auto* chars = static_cast<const wchar_t*>(::GlobalLock(data))) {
            text = chars;
            ::GlobalUnlock(data);
        }
    }
    ::CloseClipboard();
    return text;
}

}  // namespace qn::test
