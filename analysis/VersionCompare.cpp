#include "analysis/VersionCompare.h"

#include <vector>

namespace qn {

namespace {

std::vector<std::wstring> Parts(const std::wstring& text) {
    std::vector<std::wstring> parts;
    size_t start = 0;
    for (size_t dot; (dot = text.find(L'.', start)) != std::wstring::npos; start = dot + 1) {
        parts.push_back(text.substr(start, dot - start));
    }
    parts.push_back(text.substr(start));
    return parts;
}

// Numbers of any length: without leading zeros, the longer is larger, else the text decides.
int CompareNumbers(const std::wstring& a, const std::wstring& b) {
    const std::wstring x = a.substr(std::min(a.find_first_not_of(L'0'), a.size()));
    const std::wstring y = b.substr(std::min(b.find_first_not_of(L'0'), b.size()));
    if (x.size() != y.size()) return x.size() < y.size() ? -1 : 1;
    return x.compare(y);
}

}  // namespace

bool IsDottedDecimal(const std::wstring& text) {
    if (text.empty()) return false;
    for (const std::wstring& part : Parts(text)) {
        if (part.empty()) return false;
        for (const wchar_t c : part) {
            if (c < L'0' || c > L'9') return false;
        }
    }
    return true;
}

int CompareVersions(const std::wstring& installed, const std::wstring& newest) {
    if (!IsDottedDecimal(installed) || !IsDottedDecimal(newest)) return installed.compare(newest);
    const std::vector<std::wstring> a = Parts(installed);
    const std::vector<std::wstring> b = Parts(newest);
    for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
        if (const int order = CompareNumbers(a[i], b[i])) return order;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace qn
