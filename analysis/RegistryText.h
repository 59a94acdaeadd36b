// Reading a text value that a page shows as it is recorded.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace qn {

// The text of value `name` of key `section` below `root`; the empty text when the key or value
// is missing or holds no text (a number or binary data is not a version text). A label cannot
// show NUL characters, so the text ends at the first one.
std::wstring ReadRegistryText(RegistryRootKey root, const std::wstring& section, const std::wstring& name);

}  // namespace qn
