#include "analysis/FileInfo.h"

#include <windows.h>

#include "platform/FileVersion.h"

namespace qn {

namespace {

bool IsFile(const std::wstring& path) {
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

std::wstring GetFile(const std::wstring& sFile) {
    const size_t slash = sFile.rfind(L'\\');
    return slash == std::wstring::npos ? sFile : sFile.substr(slash + 1);
}

std::wstring GetFile03(const std::wstring& sFile) { return GetFile(sFile); }

FileInfo GetFileInfo(const std::wstring& path) {
    FileInfo record;
    record.name = GetFile03(path);
    record.version = ReadFileVersion(path, false);
    // Only a file without a readable version needs the extra look: a version proves the file.
    if (record.version || IsFile(path)) record.path = path;
    return record;
}

FileList CollectFiles(const std::wstring& folder, const ComponentFile* files, size_t count) {
    FileList list;
    list.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        FileInfo record = GetFileInfo(folder + files[i].relativePath);
        record.registrable = files[i].registered;
        list.push_back(std::move(record));
    }
    return list;
}

std::vector<std::wstring> RegistrablePaths(const FileList& files) {
    std::vector<std::wstring> paths;
    for (const FileInfo& file : files) {
        if (IsRegistrablePresent(file)) paths.push_back(*file.path);
    }
    return paths;
}

}  // namespace qn
