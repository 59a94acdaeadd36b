// Registry entries in the text format that regedit exports and imports ("Windows Registry
// Editor Version 5.00", UTF-16LE with a byte-order mark).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryTree.h"

namespace qn {

struct RegFileValue {
    std::wstring name;                 // "" the key's default value, written @
    std::optional<RawRegValue> value;  // none: the value is to be removed ("name"=-)
};

struct RegFileKey {
    std::wstring path;  // beginning with the root's name, e.g. HKEY_CLASSES_ROOT\CLSID
    bool remove = false;  // [-path]: the key is to be removed with everything below it
    std::vector<RegFileValue> values;
};

// The file's text. Data is written so that it reads back byte for byte: text that is not a
// plain NUL-terminated string goes out as hex(1), a DWORD of odd size as hex(4).
std::wstring FormatRegFile(const std::vector<RegFileKey>& keys);

// The keys of such a text; none when the text is not in that format.
std::optional<std::vector<RegFileKey>> ParseRegFile(const std::wstring& text);

// Writes `text` as UTF-16LE with a byte-order mark; false on failure.
bool WriteUtf16File(const std::wstring& path, const std::wstring& text);

// The text of a UTF-16LE file with a byte-order mark; none when it cannot be read or has none.
std::optional<std::wstring> ReadUtf16File(const std::wstring& path);

}  // namespace qn
