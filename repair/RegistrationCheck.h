// Whether a component is registered as it would register itself: what it would write,
// compared with the live registry, value by value.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "platform/RegistryTree.h"
#include "repair/RegistrationCapture.h"

namespace qn {

// One entry the component would write that the live registry lacks or holds otherwise.
struct RegistrationDifference {
    std::wstring key;                   // full path, beginning with the root's name
    std::optional<std::wstring> value;  // the value's name ("" the default value); none: the key
    std::wstring expected;              // what the component would write, as text
    std::optional<std::wstring> actual; // what the live registry holds; none: missing
};

struct RegistrationCheck {
    int expected = 0;  // entries the component would write: its values, and keys without any
    int missing = 0;
    int different = 0;
    std::vector<RegistrationDifference> differences;  // missing and different, in capture order
    std::optional<std::wstring> error;  // the capture failed: why, in the user's language

    bool registered() const { return !error && missing == 0 && different == 0; }
};

// Check results of several files, by the file's full path in upper case (paths ignore case).
using RegistrationChecks = std::map<std::wstring, RegistrationCheck>;
std::wstring RegistrationCheckKey(std::wstring path);
// The result for the file at `path`; null when it was not checked.
const RegistrationCheck* FindRegistrationCheck(const RegistrationChecks& checks, const std::wstring& path);

// Compares a capture with the live registry. A capture that did not finish, or whose entry
// point could not be called or failed, gives only the error.
RegistrationCheck CompareWithLiveRegistry(const RegistrationCapture& capture, const std::wstring& componentPath);

// Called after each component's check with its index in the list; false stops.
using CheckProgress = std::function<bool(size_t index, const RegistrationCheck& check)>;

// Captures several components in `host` (see CaptureHost::Capture) and compares each
// with the live registry as soon as it is captured. The checks come in the order of
// `componentPaths`; when `each` stops the run, only those done so far.
std::vector<RegistrationCheck> CheckRegistrations(CaptureHost& host,
                                                  const std::vector<std::wstring>& componentPaths,
                                                  const CheckProgress& each = {}, DWORD timeoutMs = kCaptureTimeoutMs);

// True when the live data counts as what the component would write: equal bytes, or texts that
// name the same file (letter case, environment variables, short and long names aside).
bool SameRegistryData(const RawRegValue& expected, const RawRegValue& actual);

// Registry data as the user reads it: text as text, numbers in decimal and hex, bytes in hex.
std::wstring RegistryDataText(const RawRegValue& value);

// One line: "OK (n entries)", "n missing, m different", or the error.
std::wstring RegistrationCheckSummary(const RegistrationCheck& check);

// The summary, then up to `maxDifferences` differences, each after `separator` (a line break,
// or "; " for one line).
std::wstring RegistrationCheckText(const RegistrationCheck& check, size_t maxDifferences = 5,
                                   const wchar_t* separator = L"\r\n");

}  // namespace qn
