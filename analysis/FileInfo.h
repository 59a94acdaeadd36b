// The record of one component file, as the file lists show it and the repairs use it.
#pragma once

#include <string>
#include <vector>

namespace qn {

struct FileInfo {
    std::wstring FileName;     // name part of the checked path
    std::wstring FilePath;     // the path as checked, or "Not found"
    std::wstring FileVersion;  // major.minor.build, or "N/A"
    bool NoRegister = false;   // listed, but never registered by a repair
};

using FileList = std::vector<FileInfo>;

inline constexpr wchar_t kFileNotFound[] = L"Not found";
inline constexpr wchar_t kVersionNotAvailable[] = L"N/A";

// True for a file that a repair registers and that was found.
inline bool IsRegistrablePresent(const FileInfo& file) { return !file.NoRegister && file.FilePath != kFileNotFound; }

// The part of `sFile` after its last backslash; `sFile` itself when it holds none.
// Only the backslash separates: "/" is an ordinary character here.
std::wstring GetFile(const std::wstring& sFile);
std::wstring GetFile03(const std::wstring& sFile);

// Reads the version of the file at `path`. A missing file and one without version
// information give the same record: "Not found" and "N/A".
FileInfo GetFileInfo(const std::wstring& path);

// One entry of a component list: where to look, and whether the repair registers it.
struct ComponentFile {
    const wchar_t* relativePath;  // begins with a backslash
    bool registered;
};

// The records of `files`, each looked for at `folder` followed by its relative path.
FileList CollectFiles(const std::wstring& folder, const ComponentFile* files, size_t count);

template <size_t N>
FileList CollectFiles(const std::wstring& folder, const ComponentFile (&files)[N]) {
    return CollectFiles(folder, files, N);
}

}  // namespace qn
