// Reading a text value that a page shows as it is recorded.
#pragma once

#include <string>

#include "platform/Registry.h"

namespace qn {

// The text of value `name` of key `section` below `root`; the empty text when the key or value
// is missing or holds no text (a number or binary data is not a version text). A label cannot
// show NUL characters, so the text ends at the first one.
std::wstring ReadRegistryText(RegistryRootKey root, const std::wstring& section, const std::wstring& name);

// Longest version text a label shows in full; real ones have a dozen characters.
inline constexpr size_t kMaxShownVersionChars = 64;

// `text` as a one-line label shows it: text longer than kMaxShownVersionChars (the registry
// holds whatever anyone wrote there, up to megabytes) is cut after that many characters and
// ends with an ellipsis, so the label stays readable and the window quick.
std::wstring ShownVersionText(const std::wstring& text);

}  // namespace qn
