#include "platform/RegistryTree.h"

#include "platform/Handles.h"

namespace qn {

namespace {

// A value can change between asking for its size and reading it; after this many changes in a
// row the read gives up.
constexpr int kReadAttempts = 8;
// Key names are at most 255 characters.
constexpr DWORD kMaxKeyName = 256;

struct RootName {
    HKEY root;
    const wchar_t* name;
};
const RootName kRootNames[] = {
    {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"},
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},
    {HKEY_USERS, L"HKEY_USERS"},
};

std::vector<std::wstring> SubkeyNames(HKEY key) {
    std::vector<std::wstring> names;
    WCHAR name[kMaxKeyName];
    for (DWORD index = 0;; ++index) {
        DWORD length = kMaxKeyName;
        if (::RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.emplace_back(name, length);
    }
    return names;
}

void ReadKey(HKEY key, const std::wstring& relative, RegTree& tree) {
    tree.keys.push_back(relative);
    DWORD valueCount = 0;
    DWORD maxName = 0;
    DWORD maxData = 0;
    if (::RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &valueCount, &maxName, &maxData,
                           nullptr, nullptr) != ERROR_SUCCESS) {
        valueCount = 0;
    }
    // One call per value: name and data together, into buffers of the largest sizes the key
    // reported. A value that changed meanwhile is read on its own.
    std::vector<WCHAR> name(maxName + 1);
    std::vector<BYTE> data(maxData + 1);
    for (DWORD index = 0; index < valueCount; ++index) {
        DWORD nameLength = maxName + 1;
        DWORD type = REG_NONE;
        DWORD size = maxData + 1;
        const LONG result = ::RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size);
        if (result == ERROR_SUCCESS) {
            tree.values.push_back({relative, std::wstring(name.data(), nameLength), {type, {data.begin(), data.begin() + size}}});
        } else if (result == ERROR_MORE_DATA && nameLength <= maxName) {
            const std::wstring valueName(name.data(), nameLength);
            if (auto value = QueryRawValue(key, valueName)) tree.values.push_back({relative, valueName, std::move(*value)});
        } else if (result == ERROR_NO_MORE_ITEMS) {
            break;
        }
    }
    for (const std::wstring& subkey : SubkeyNames(key)) {
        UniqueHKey child;
        if (::RegOpenKeyExW(key, subkey.c_str(), 0, KEY_READ, child.put()) != ERROR_SUCCESS) continue;
        ReadKey(child.get(), JoinKeyPath(relative, subkey), tree);
    }
}

}  // namespace

std::optional<RawRegValue> QueryRawValue(HKEY key, const std::wstring& name) {
    RawRegValue raw;
    DWORD size = 0;
    if (::RegQueryValueExW(key, name.c_str(), nullptr, &raw.type, nullptr, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    for (int attempt = 0; attempt < kReadAttempts; ++attempt) {
        raw.bytes.resize(size);
        // Never a null buffer: with one, a value that grew since the size query would read as
        // successful with no data.
        BYTE scratch = 0;
        DWORD got = size;
        const LONG result = ::RegQueryValueExW(key, name.c_str(), nullptr, &raw.type,
                                               raw.bytes.empty() ? &scratch : raw.bytes.data(), &got);
        if (result == ERROR_MORE_DATA) {
            size = got;
            continue;
        }
        if (result != ERROR_SUCCESS) return std::nullopt;
        if (got < raw.bytes.size()) raw.bytes.resize(got);
        return raw;
    }
    return std::nullopt;
}

RegTree ReadRegTree(HKEY root, const std::wstring& path) {
    RegTree tree;
    UniqueHKey top;
    if (::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, top.put()) == ERROR_SUCCESS) ReadKey(top.get(), L"", tree);
    return tree;
}

LONG DeleteRegTree(HKEY root, const std::wstring& path) {
    {
        UniqueHKey key;
        const LONG opened = ::RegOpenKeyExW(root, path.c_str(), 0, KEY_READ, key.put());
        if (opened == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
        if (opened != ERROR_SUCCESS) return opened;
        for (const std::wstring& subkey : SubkeyNames(key.get())) {
            const LONG result = DeleteRegTree(key.get(), subkey);
            if (result != ERROR_SUCCESS) return result;
        }
    }
    const LONG result = ::RegDeleteKeyW(root, path.c_str());
    return result == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : result;
}

std::wstring RootKeyName(HKEY root) {
    for (const RootName& entry : kRootNames) {
        if (entry.root == root) return entry.name;
    }
    return {};
}

HKEY RootKeyFromName(const std::wstring& name) {
    for (const RootName& entry : kRootNames) {
        if (::lstrcmpiW(entry.name, name.c_str()) == 0) return entry.root;
    }
    return nullptr;
}

std::wstring JoinKeyPath(const std::wstring& base, const std::wstring& relative) {
    if (base.empty()) return relative;
    if (relative.empty()) return base;
    return base + L"\\" + relative;
}

}  // namespace qn
