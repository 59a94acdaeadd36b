// What was found of one component file, as the file lists show it and the repairs use it.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace qn {

struct FileInfo {
    std::wstring name;                    // name part of the checked path
    std::optional<std::wstring> path;     // the path as checked, when a file is there
    std::optional<std::wstring> version;  // major.minor.build, when its version can be read
    bool registrable = true;              // false: listed, but never registered by a repair
};

using FileList = std::vector<FileInfo>;

// A file counts as installed when its version information can be read: a file without any is
// no working component, and the repairs leave it alone as they leave a missing one.
inline bool IsInstalled(const FileInfo& file) { return file.path && file.version; }

// True for a file that a repair registers and that was found.
inline bool IsRegistrablePresent(const FileInfo& file) { return file.registrable && IsInstalled(file); }

// The paths of the files of `files` that a repair registers and that were found, in list order.
std::vector<std::wstring> RegistrablePaths(const FileList& files);

// The part of `sFile` after its last backslash; `sFile` itself when it holds none.
// Only the backslash separates: "/" is an ordinary character here.
std::wstring GetFile(const std::wstring& sFile);
std::wstring GetFile03(const std::wstring& sFile);

// What is at `path`: its name, the path when a file (not a folder) is there, and its version.
FileInfo GetFileInfo(const std::wstring& path);

// One entry of a component list: where to look, and whether the repair registers it.
struct ComponentFile {
    const wchar_t* relativePath;  // begins with a backslash
    bool registered;
};

// Who reads a list. A long list is read faster by two threads; but a repair or check reads its
// list while its capture helper starts, which takes longer than the reading, and there a second
// reader only takes a processor from the helper.
enum class ListReaders { Two, One };

// The records of `files`, each looked for at `folder` followed by its relative path.
FileList CollectFiles(const std::wstring& folder, const ComponentFile* files, size_t count,
                      ListReaders readers = ListReaders::Two);

template <size_t N>
FileList CollectFiles(const std::wstring& folder, const ComponentFile (&files)[N],
                      ListReaders readers = ListReaders::Two) {
    return CollectFiles(folder, files, N, readers);
}

}  // namespace qn
