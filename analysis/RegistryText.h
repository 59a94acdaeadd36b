// Reading a text value that the analyses report as it is recorded.
#pragma once

#include <optional>
#include <string>

#include "platform/Registry.h"

namespace qn {

// The text of value `name` of key `section` below `root`; none when the key or value is
// missing, holds no text (a number or binary data is not a version text) or an empty one. A
// text ends at its first NUL character, as every reader of it would cut it there.
std::optional<std::wstring> ReadRegistryText(RegistryRootKey root, const std::wstring& section,
                                             const std::wstring& name);

}  // namespace qn
