#include "analysis/FileInfo.h"

#include "platform/modAPI.h"

namespace qn {

std::wstring GetFile(const std::wstring& sFile) {
    const size_t slash = sFile.rfind(L'\\');
    return slash == std::wstring::npos ? sFile : sFile.substr(slash + 1);
}

std::wstring GetFile03(const std::wstring& sFile) { return GetFile(sFile); }

FileInfo GetFileInfo(const std::wstring& path) {
    VS_FIXEDFILEINFO info{};
    FileInfo record;
    record.FileName = GetFile03(path);
    if (ReadFixedFileInfo(path, info)) {
        record.FilePath = path;
        record.FileVersion = FormatVersion(info, false);
    } else {
        record.FilePath = kFileNotFound;
        record.FileVersion = kVersionNotAvailable;
    }
    return record;
}

FileList CollectFiles(const std::wstring& folder, const ComponentFile* files, size_t count) {
    FileList list;
    list.reserve(count);
    for (size_t i = 0; i < count; ++i) {
        FileInfo record = GetFileInfo(folder + files[i].relativePath);
        record.NoRegister = !files[i].registered;
        list.push_back(std::move(record));
    }
    return list;
}

}  // namespace qn
