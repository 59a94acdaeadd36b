#include "repair/RegistrationCheck.h"

#include <cstring>
#include <map>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/Registry.h"
#include "platform/Strings.h"
#include "repair/RegistrationReport.h"
#include "resources/resource.h"

namespace qn {

namespace {

// Long binary data is shown by its beginning.
constexpr size_t kMaxBytesShown = 32;

bool IsText(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ; }

// The data as UTF-16 text, without the terminating NULs.
std::wstring TextOf(const RawRegValue& value) {
    std::wstring text(value.bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), value.bytes.data(), text.size() * sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

// The file a text names, in one spelling for all the ways to write it: variables expanded,
// quotes taken off, the long form of every part that exists, upper case. None when the text is
// no absolute path.
std::optional<std::wstring> CanonicalPath(const std::wstring& text) {
    std::wstring path = ExpandEnvironment(text);
    if (path.size() >= 2 && path.front() == L'"' && path.back() == L'"') path = path.substr(1, path.size() - 2);
    const bool drive = path.size() >= 3 && path[1] == L':' && path[2] == L'\\';
    const bool share = path.rfind(L"\\\\", 0) == 0;
    if (!drive && !share) return std::nullopt;
    WCHAR longPath[MAX_PATH * 2];
    const DWORD length = ::GetLongPathNameW(path.c_str(), longPath, MAX_PATH * 2);
    if (length > 0 && length < MAX_PATH * 2) path.assign(longPath, length);
    return UpperCase(path);
}

// Replaces "%1", "%2", ... of a string-table text.
std::wstring Format(UINT id, std::initializer_list<std::wstring> inserts) {
    std::wstring text = LoadResString(id);
    wchar_t marker[] = L"%1";
    for (const std::wstring& insert : inserts) {
        const size_t at = text.find(marker);
        if (at != std::wstring::npos) text.replace(at, 2, insert);
        ++marker[1];
    }
    return text;
}

std::wstring EntryName(const RegistrationDifference& difference) {
    if (!difference.value) return difference.key;
    return difference.key + (difference.value->empty() ? L" @" : L" \"" + *difference.value + L"\"");
}

std::wstring DifferenceLine(const RegistrationDifference& difference) {
    if (!difference.actual) return Format(IDS_CHECK_MISSING, {EntryName(difference)});
    return Format(IDS_CHECK_DIFFERENT, {EntryName(difference), *difference.actual, difference.expected});
}

std::optional<std::wstring> CaptureError(const RegistrationCapture& capture, const std::wstring& componentPath) {
    switch (capture.end) {
    case RegistrationCapture::End::NotStarted:
        return LoadResString(IDS_CHECK_NOT_STARTED);
    case RegistrationCapture::End::Crashed:
        return Format(IDS_CHECK_CRASHED, {HexText(capture.exitCode)});
    case RegistrationCapture::End::TimedOut:
        return Format(IDS_CHECK_TIMED_OUT, {UnsignedText((capture.timeoutMs + 999) / 1000)});
    case RegistrationCapture::End::Finished:
        break;
    }
    if (capture.result.outcome == RegistrationOutcome::Registered) return std::nullopt;
    RegistrationResult result = capture.result;
    // The file went away between the listing and the capture: nothing was loaded.
    if (result.outcome == RegistrationOutcome::Skipped) result = {RegistrationOutcome::LoadFailed, ERROR_FILE_NOT_FOUND, S_OK};
    return DescribeFailure(componentPath, result, UserTextLanguage());
}

void Count(RegistrationCheck& check, RegistrationDifference difference) {
    (difference.actual ? check.different : check.missing) += 1;
    check.differences.push_back(std::move(difference));
}

}  // namespace

bool SameRegistryData(const RawRegValue& expected, const RawRegValue& actual) {
    if (expected == actual) return true;
    if (!IsText(expected.type) || !IsText(actual.type)) return false;
    const std::wstring expectedText = TextOf(expected);
    const std::wstring actualText = TextOf(actual);
    if (expectedText == actualText) return true;
    const std::optional<std::wstring> expectedPath = CanonicalPath(expectedText);
    return expectedPath && expectedPath == CanonicalPath(actualText);
}

std::wstring RegistryDataText(const RawRegValue& value) {
    if (IsText(value.type)) return TextOf(value);
    if (value.type == REG_MULTI_SZ) {
        std::wstring text = TextOf(value);
        for (wchar_t& c : text) {
            if (c == L'\0') c = L';';
        }
        return text;
    }
    if (value.type == REG_DWORD && value.bytes.size() == sizeof(DWORD)) {
        DWORD number = 0;
        std::memcpy(&number, value.bytes.data(), sizeof number);
        return UnsignedText(number) + L" (" + HexText(number) + L")";
    }
    std::wstring text;
    static constexpr wchar_t kDigits[] = L"0123456789abcdef";
    for (size_t i = 0; i < value.bytes.size() && i < kMaxBytesShown; ++i) {
        if (i > 0) text += L' ';
        text += kDigits[value.bytes[i] >> 4];
        text += kDigits[value.bytes[i] & 0xF];
    }
    if (value.bytes.size() > kMaxBytesShown) text += L" ...";
    return text;
}

RegistrationCheck CompareWithLiveRegistry(const RegistrationCapture& capture, const std::wstring& componentPath) {
    RegistrationCheck check;
    check.error = CaptureError(capture, componentPath);
    if (check.error) return check;

    for (const CapturedRoot& root : capture.roots) {
        const std::wstring rootName = RootKeyName(root.root);
        // Values by key, so that differences come in the order of the tree.
        std::map<std::wstring, std::vector<const RegTreeValue*>> valuesOf;
        for (const RegTreeValue& value : root.tree.values) valuesOf[value.key].push_back(&value);

        for (const std::wstring& key : root.tree.keys) {
            UniqueHKey live;
            ::RegOpenKeyExW(root.root, key.c_str(), 0, KEY_QUERY_VALUE, live.put());
            const HKEY liveKey = live.get();
            const auto values = valuesOf.find(key);
            if (values == valuesOf.end()) {
                ++check.expected;
                if (!liveKey) Count(check, {JoinKeyPath(rootName, key), std::nullopt, L"", std::nullopt});
                continue;
            }
            for (const RegTreeValue* value : values->second) {
                ++check.expected;
                const std::optional<RawRegValue> actual = liveKey ? QueryRawValue(liveKey, value->name) : std::nullopt;
                if (actual && SameRegistryData(value->value, *actual)) continue;
                Count(check, {JoinKeyPath(rootName, key), value->name, RegistryDataText(value->value),
                              actual ? std::optional(RegistryDataText(*actual)) : std::nullopt});
            }
        }
    }
    return check;
}

std::vector<RegistrationCheck> CheckRegistrations(CaptureHost& host,
                                                  const std::vector<std::wstring>& componentPaths,
                                                  const CheckProgress& each, DWORD timeoutMs) {
    std::vector<RegistrationCheck> checks;
    host.Capture(
        componentPaths,
        [&](size_t index, const RegistrationCapture& capture) {
            checks.push_back(CompareWithLiveRegistry(capture, componentPaths[index]));
            return !each || each(index, checks.back());
        },
        timeoutMs);
    return checks;
}

std::wstring RegistrationCheckSummary(const RegistrationCheck& check) {
    if (check.error) return *check.error;
    if (check.registered()) return Format(IDS_CHECK_OK, {UnsignedText(static_cast<DWORD>(check.expected))});
    return Format(IDS_CHECK_SUMMARY, {UnsignedText(static_cast<DWORD>(check.missing)),
                                      UnsignedText(static_cast<DWORD>(check.different))});
}

std::wstring RegistrationCheckText(const RegistrationCheck& check, size_t maxDifferences, const wchar_t* separator) {
    std::wstring text = RegistrationCheckSummary(check);
    for (size_t i = 0; i < check.differences.size() && i < maxDifferences; ++i) {
        text += separator + DifferenceLine(check.differences[i]);
    }
    if (check.differences.size() > maxDifferences) text += separator + std::wstring(L"...");
    return text;
}

std::wstring RegistrationCheckKey(std::wstring path) { return UpperCase(std::move(path)); }

const RegistrationCheck* FindRegistrationCheck(const RegistrationChecks& checks, const std::wstring& path) {
    const auto found = checks.find(RegistrationCheckKey(path));
    return found == checks.end() ? nullptr : &found->second;
}

}  // namespace qn
