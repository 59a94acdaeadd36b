#include "analysis/RegistryText.h"

#include <windows.h>

namespace qn {

std::optional<std::wstring> ReadRegistryText(RegistryRootKey root, const std::wstring& section,
                                             const std::wstring& name) {
    cRegistry registry;
    registry.ClassKey(root);
    registry.SectionKey(section);
    registry.ValueType(REG_SZ);
    registry.ValueKey(name);
    registry.Default(RegValue(std::in_place_type<std::wstring>));
    const RegValue value = registry.Value();
    const auto* text = std::get_if<std::wstring>(&value);
    if (!text) return std::nullopt;
    std::wstring shown = text->substr(0, text->find(L'\0'));
    if (shown.empty()) return std::nullopt;
    return shown;
}

}  // namespace qn
