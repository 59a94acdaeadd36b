#include "report/FindingTexts.h"

#include "platform/Strings.h"
#include "resources/resource.h"

namespace qn {

std::wstring VersionCell(const FileInfo& file) { return file.version.value_or(kVersionNotAvailable); }

std::wstring PathCell(const FileInfo& file) { return IsInstalled(file) ? *file.path : kFileNotFound; }

std::wstring TextOrNotAvailable(const std::optional<std::wstring>& text) {
    return text ? *text : LoadResString(IDS_NOT_AVAILABLE);
}

std::wstring FolderText(const std::optional<std::wstring>& folder) {
    return folder.value_or(kDirectoryNotAvailable);
}

std::wstring ShownVersionText(const std::optional<std::wstring>& text) {
    if (!text) return {};
    if (text->size() <= kMaxShownVersionChars) return *text;
    return text->substr(0, kMaxShownVersionChars) + L"\u2026";
}

}  // namespace qn
