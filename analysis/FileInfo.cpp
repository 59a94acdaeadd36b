#include "analysis/FileInfo.h"

#include <windows.h>

#include <iterator>

#include "platform/BackgroundCall.h"
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

FileList CollectFiles(const std::wstring& folder, const ComponentFile* files, size_t count, ListReaders readers) {
    const auto collect = [&folder, files](size_t first, size_t end) {
        FileList list;
        list.reserve(end - first);
        for (size_t i = first; i < end; ++i) {
            FileInfo record = GetFileInfo(folder + files[i].relativePath);
            record.registrable = files[i].registered;
            list.push_back(std::move(record));
        }
        return list;
    };
    // Reading a version maps the file, twice, and most of that waits on the system rather than
    // on the processor: two readers take about two thirds of the time of one. The second half of
    // a longer list is read on a thread of its own.
    constexpr size_t kShortList = 8;
    if (count < kShortList || readers == ListReaders::One) return collect(0, count);
    const size_t half = count / 2;
    BackgroundCall<FileList> secondHalf([&collect, half, count] { return collect(half, count); });
    FileList list = collect(0, half);
    FileList rest = secondHalf.Take();
    list.insert(list.end(), std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));
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
