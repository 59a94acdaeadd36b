#include "analysis/RegistryText.h"

#include <windows.h>

namespace qn {

std::wstring ReadRegistryText(RegistryRootKey root, const std::wstring& section, const std::wstring& name) {
    cRegistry registry;
    registry.ClassKey(root);
    registry.SectionKey(section);
    registry.ValueType(REG_SZ);
    registry.ValueKey(name);
    registry.Default(RegValue(std::in_place_type<std::wstring>));
    const RegValue value = registry.Value();
    const auto* text = std::get_if<std::wstring>(&value);
    if (!text) return {};
    return text->substr(0, text->find(L'\0'));
}

std::wstring ShownVersionText(const std::wstring& text) {
    if (text.size() <= kMaxShownVersionChars) return text;
    return text.substr(0, kMaxShownVersionChars) + L"\u2026";
}

}  // namespace qn
