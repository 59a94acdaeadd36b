#include "Components.h"

#include <shlobj.h>

#include "platform/SystemLibrary.h"
#include <gtest/gtest.h>

namespace qn::test {

std::wstring CommonFilesFolder() {
    WCHAR path[MAX_PATH] = {};
    EXPECT_EQ(::SHGetFolderPathW(nullptr, CSIDL_PROGRAM_FILES_COMMON, nullptr, SHGFP_TYPE_CURRENT, path), S_OK);
    return path;
}

std::wstring SystemFolder() {
    const std::wstring path = SystemDirectory();
    EXPECT_FALSE(path.empty());
    return path;
}

ScopedComponents::ScopedComponents(const std::wstring& folder, const ComponentRow* rows, size_t count,
                                   const Placement& placement) {
    EXPECT_EQ(placement.size(), count);
    for (size_t i = 0; i < count; ++i) {
        const std::wstring path = folder + rows[i].relativePath;
        CreateDirectories(path.substr(0, path.rfind(L'\\')));
        paths_.push_back(path);
        originals_.push_back(std::make_unique<ScopedAbsence>(path));
        if (i < placement.size() && !placement[i].empty()) Place(i, placement[i]);
    }
}

ScopedComponents ScopedComponents::Mdac(const Placement& placement) {
    return ScopedComponents(CommonFilesFolder(), kMdacRows, kMdacCount, placement);
}

ScopedComponents ScopedComponents::Jet(const Placement& placement) {
    return ScopedComponents(SystemFolder(), kJetRows, kJetCount, placement);
}

std::wstring ScopedComponents::Name(size_t index) const {
    const std::wstring& path = Path(index);
    return path.substr(path.rfind(L'\\') + 1);
}

void ScopedComponents::Place(size_t index, const std::wstring& fixture) {
    EXPECT_TRUE(::CopyFileW(FixturePath(fixture).c_str(), Path(index).c_str(), FALSE))
        << Narrow(Path(index)) << ": " << ::GetLastError();
}

void ScopedComponents::Remove(size_t index) { EXPECT_TRUE(::DeleteFileW(Path(index).c_str())); }

RegistrationLog::RegistrationLog() : file_(dir_.path() + L"\\calls.log") {
    EXPECT_TRUE(::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", file_.c_str()));
}

RegistrationLog::~RegistrationLog() { ::SetEnvironmentVariableW(L"QN_FIXTURE_LOG", nullptr); }

std::vector<std::wstring> RegistrationLog::Calls() const { return ReadLines(file_); }

std::vector<std::wstring> RegistrationLog::LongCalls() const {
    std::vector<std::wstring> calls;
    for (const std::wstring& call : Calls()) calls.push_back(LongPath(call));
    return calls;
}

std::wstring LongPath(const std::wstring& path) {
    WCHAR buffer[MAX_PATH * 2] = {};
    const DWORD length = ::GetLongPathNameW(path.c_str(), buffer, MAX_PATH * 2);
    return std::wstring(buffer, length < MAX_PATH * 2 ? length : 0);
}

std::vector<std::wstring> ExpectedCalls(const ScopedComponents& components, const ComponentRow* rows,
                                        const Placement& placement) {
    std::vector<std::wstring> calls;
    for (size_t i = 0; i < components.size(); ++i) {
        if (rows[i].registered && !placement.at(i).empty()) calls.push_back(LongPath(components.Path(i)));
    }
    return calls;
}

bool IsLoaded(const std::wstring& path) { return ::GetModuleHandleW(path.c_str()) != nullptr; }

std::string Narrow(const std::wstring& text) {
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr);
    std::string narrow(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), narrow.data(), length, nullptr,
                          nullptr);
    return narrow;
}

void PrintTo(const Row& row, std::ostream* out) {
    *out << "{" << Narrow(row.name) << ", " << Narrow(row.version) << ", " << Narrow(row.path) << "}";
}

ScopedRegValue InstalledMdac(const std::optional<std::wstring>& version) {
    const wchar_t* key = L"Software\\Microsoft\\DataAccess";
    if (!version) return ScopedRegValue(HKEY_LOCAL_MACHINE, key, L"FullInstallVer", std::optional<RawValue>());
    return ScopedRegValue(HKEY_LOCAL_MACHINE, key, L"FullInstallVer", *version);
}

}  // namespace qn::test
