#include "repair/RegistryBackup.h"

#include <shlobj.h>

#include <map>
#include <set>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/ShellFolders.h"
#include "platform/Strings.h"

namespace qn {

namespace {

// True when `path` lies below one of `removed` (paths in upper case).
bool BelowRemoved(const std::wstring& path, const std::set<std::wstring>& removed) {
    for (size_t at = path.find(L'\\'); at != std::wstring::npos; at = path.find(L'\\', at + 1)) {
        if (removed.count(path.substr(0, at))) return true;
    }
    return removed.count(path) > 0;
}

void CreateFolders(const std::wstring& folder) {
    for (size_t at = folder.find(L'\\', 3); at != std::wstring::npos; at = folder.find(L'\\', at + 1)) {
        ::CreateDirectoryW(folder.substr(0, at).c_str(), nullptr);
    }
    ::CreateDirectoryW(folder.c_str(), nullptr);
}

// Applies one key of a backup; the first failure's code, or ERROR_SUCCESS.
LONG RestoreKey(const RegFileKey& saved) {
    const size_t split = saved.path.find(L'\\');
    const HKEY root = RootKeyFromName(saved.path.substr(0, split));
    if (!root || split == std::wstring::npos) return ERROR_INVALID_DATA;
    const std::wstring path = saved.path.substr(split + 1);
    if (saved.remove) return DeleteRegTree(root, path);

    UniqueHKey key;
    LONG result = ::RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_QUERY_VALUE | KEY_SET_VALUE, nullptr,
                                    key.put(), nullptr);
    if (result != ERROR_SUCCESS) return result;
    for (const RegFileValue& value : saved.values) {
        LONG step = ERROR_SUCCESS;
        if (!value.value) {
            step = ::RegDeleteValueW(key.get(), value.name.c_str());
            if (step == ERROR_FILE_NOT_FOUND) step = ERROR_SUCCESS;
        } else {
            step = ::RegSetValueExW(key.get(), value.name.c_str(), 0, value.value->type, value.value->bytes.data(),
                                    static_cast<DWORD>(value.value->bytes.size()));
        }
        if (result == ERROR_SUCCESS) result = step;
    }
    return result;
}

}  // namespace

std::vector<RegFileKey> LiveStateOf(const std::vector<RegistrationCapture>& captures) {
    std::vector<RegFileKey> keys;
    std::vector<UniqueHKey> liveKeys;        // per entry of `keys`: the live key, held open for its values
    std::map<std::wstring, size_t> indexOf;  // upper-case path -> entry of `keys`
    std::set<std::wstring> removed;          // upper-case paths of absent keys
    constexpr size_t kNoEntry = static_cast<size_t>(-1);
    for (const RegistrationCapture& capture : captures) {
        for (const CapturedRoot& root : capture.roots) {
            const std::wstring rootName = RootKeyName(root.root);
            // The entry of an existing key; kNoEntry for one that is absent or below one.
            auto entryFor = [&](const std::wstring& relative) -> size_t {
                const std::wstring path = JoinKeyPath(rootName, relative);
                const std::wstring upper = UpperCase(path);
                if (BelowRemoved(upper, removed)) return kNoEntry;
                if (auto found = indexOf.find(upper); found != indexOf.end()) {
                    return liveKeys[found->second] ? found->second : kNoEntry;
                }
                UniqueHKey live;
                const bool exists = ::RegOpenKeyExW(root.root, relative.c_str(), 0, KEY_QUERY_VALUE, live.put()) == ERROR_SUCCESS;
                if (!exists) removed.insert(upper);
                indexOf.emplace(upper, keys.size());
                keys.push_back({path, !exists, {}});
                liveKeys.push_back(std::move(live));
                return exists ? keys.size() - 1 : kNoEntry;
            };
            for (const std::wstring& key : root.tree.keys) entryFor(key);
            for (const RegTreeValue& value : root.tree.values) {
                const size_t entry = entryFor(value.key);
                if (entry == kNoEntry) continue;
                bool known = false;
                for (const RegFileValue& saved : keys[entry].values) known = known || ::lstrcmpiW(saved.name.c_str(), value.name.c_str()) == 0;
                if (known) continue;
                keys[entry].values.push_back({value.name, QueryRawValue(liveKeys[entry].get(), value.name)});
            }
        }
    }
    return keys;
}

std::wstring BackupFolder() {
    const std::wstring localData = GetSpecialFolderPath(CSIDL_LOCAL_APPDATA);
    return localData.empty() ? std::wstring() : localData + L"\\QNRepair";
}

std::wstring BackupFileName(const SYSTEMTIME& t) {
    return L"QNRepair registry backup " + DateText(t) + L" " + TimeOfDayText(t, L'-') + L".reg";
}

std::optional<std::wstring> SaveRegistryBackup(const std::vector<RegistrationCapture>& captures,
                                               const std::wstring& folder) {
    if (folder.empty()) return std::nullopt;
    CreateFolders(folder);
    SYSTEMTIME now{};
    ::GetLocalTime(&now);
    std::wstring path = folder + L"\\" + BackupFileName(now);
    // Two repairs within one second each keep their own file.
    for (int n = 2; ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; ++n) {
        std::wstring name = BackupFileName(now);
        name.insert(name.size() - 4, L" (" + UnsignedText(static_cast<DWORD>(n)) + L")");
        path = folder + L"\\" + name;
    }
    if (!WriteUtf16File(path, FormatRegFile(LiveStateOf(captures)))) return std::nullopt;
    return path;
}

std::optional<std::wstring> BackUpRegistrations(CaptureHost& host,
                                                const std::vector<std::wstring>& componentPaths,
                                                const std::function<bool()>& between, const std::wstring& folder) {
    std::vector<std::wstring> paths;
    for (const std::wstring& path : componentPaths) {
        if (!path.empty()) paths.push_back(path);
    }
    bool stopped = false;
    const std::vector<RegistrationCapture> captures =
        host.Capture(paths, [&](size_t, const RegistrationCapture&) {
            stopped = between && !between();
            return !stopped;
        });
    if (stopped) return std::nullopt;
    return SaveRegistryBackup(captures, folder);
}

RestoreOutcome RestoreRegistryBackup(const std::wstring& file) {
    const std::optional<std::wstring> text = ReadUtf16File(file);
    const auto keys = text ? ParseRegFile(*text) : std::nullopt;
    if (!keys) return RestoreOutcome::Unreadable;
    RestoreOutcome outcome = RestoreOutcome::Restored;
    for (const RegFileKey& key : *keys) {
        const LONG result = RestoreKey(key);
        if (result == ERROR_ACCESS_DENIED) return RestoreOutcome::NoRights;
        if (result != ERROR_SUCCESS) outcome = RestoreOutcome::Failed;
    }
    return outcome;
}

}  // namespace qn
