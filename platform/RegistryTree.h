// Registry keys as data: one value's raw type and bytes, a whole key tree read into memory,
// and a tree deleted with everything below it.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace qn {

// A value exactly as the registry holds it.
struct RawRegValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> bytes;
    bool operator==(const RawRegValue&) const = default;
};

// The value `name` of the open `key`; none when it cannot be read.
std::optional<RawRegValue> QueryRawValue(HKEY key, const std::wstring& name);

// One value of a tree: the key's path relative to the tree's top ("" for the top itself).
struct RegTreeValue {
    std::wstring key;
    std::wstring name;
    RawRegValue value;
    bool operator==(const RegTreeValue&) const = default;
};

// Every key (relative paths, the top as "") and every value below a key, parents before
// their subkeys.
struct RegTree {
    std::vector<std::wstring> keys;
    std::vector<RegTreeValue> values;
    bool operator==(const RegTree&) const = default;
};

// Reads the tree below `root`\`path`; empty (not even the top) when the key cannot be opened.
RegTree ReadRegTree(HKEY root, const std::wstring& path);

// Deletes `root`\`path` with all its subkeys. ERROR_SUCCESS also when it did not exist.
// RegDeleteTree would do this but is newer than Windows XP.
LONG DeleteRegTree(HKEY root, const std::wstring& path);

// "HKEY_CLASSES_ROOT", "HKEY_LOCAL_MACHINE", "HKEY_CURRENT_USER", "HKEY_USERS" and back; the
// empty text and null for any other.
std::wstring RootKeyName(HKEY root);
HKEY RootKeyFromName(const std::wstring& name);

// Joins a key path and a relative path with one backslash.
std::wstring JoinKeyPath(const std::wstring& base, const std::wstring& relative);

}  // namespace qn
