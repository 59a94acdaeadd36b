// Reading the version information of a file and showing it as the pages do.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace qn {

// Reads the fixed version record of the file at `path` into `info`. False when the file is
// missing, unreadable or has no version information with a root block; `info` is then untouched.
bool ReadFixedFileInfo(const std::wstring& path, VS_FIXEDFILEINFO& info);

// major.minor.build of the record, each an unsigned 16-bit decimal; with `withBuild`
// " (Build " revision ")" follows.
std::wstring FormatVersion(const VS_FIXEDFILEINFO& info, bool withBuild);

// The version text of the file at `path`; none when it has no readable version information.
std::optional<std::wstring> ReadFileVersion(const std::wstring& path, bool withBuild);

// The version text of the file at `path`, or string id 102 in the user's language.
std::wstring GetFileVersionText(const std::wstring& path, bool withBuild);

}  // namespace qn
