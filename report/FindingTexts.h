// The texts in which the window and the report show what the analyses found.
#pragma once

#include <optional>
#include <string>

#include "analysis/FileInfo.h"

namespace qn {

// Fixed texts of the design, the same in every language.
inline constexpr wchar_t kFileNotFound[] = L"Not found";
inline constexpr wchar_t kVersionNotAvailable[] = L"N/A";
inline constexpr wchar_t kDirectoryNotAvailable[] = L"Directory not available!";

// A file list's version cell: the version, or "N/A".
std::wstring VersionCell(const FileInfo& file);

// A file list's path cell: the path of an installed file, or "Not found". A file without
// version information reads as not found, as the design's check of a file is that read.
std::wstring PathCell(const FileInfo& file);

// A version or name that may be missing: the text, or string id 102 in the user's language.
std::wstring TextOrNotAvailable(const std::optional<std::wstring>& text);

// A folder: its path, or "Directory not available!".
std::wstring FolderText(const std::optional<std::wstring>& folder);

// Longest registry version text a label shows in full; real ones have a dozen characters.
inline constexpr size_t kMaxShownVersionChars = 64;

// A version text from the registry as a one-line label shows it, empty when there is none:
// text longer than kMaxShownVersionChars (the registry holds whatever anyone wrote there, up
// to megabytes) is cut after that many characters and ends with an ellipsis, so the label
// stays readable and the window quick.
std::wstring ShownVersionText(const std::optional<std::wstring>& text);

}  // namespace qn
