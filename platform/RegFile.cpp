#include "platform/RegFile.h"

#include <cstring>

#include "platform/AtomicFile.h"
#include "platform/Handles.h"

namespace qn {

namespace {

constexpr wchar_t kHeader[] = L"Windows Registry Editor Version 5.00";
constexpr wchar_t kLineBreak[] = L"\r\n";
constexpr wchar_t kHexDigits[] = L"0123456789abcdef";
constexpr wchar_t kByteOrderMark = 0xFEFF;

// CreateFile signals failure with INVALID_HANDLE_VALUE, which the owner must not close.
UniqueKernelHandle OpenFileForReading(const std::wstring& path) {
    const HANDLE file = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr);
    return UniqueKernelHandle(file == INVALID_HANDLE_VALUE ? nullptr : file);
}

std::wstring Quoted(const std::wstring& text) {
    std::wstring result = L"\"";
    for (const wchar_t c : text) {
        if (c == L'\\' || c == L'"') result += L'\\';
        result += c;
    }
    return result + L"\"";
}

// Text that a quoted string reproduces exactly: ends in one NUL and holds no other, nor a
// line break that would end the line.
std::optional<std::wstring> PlainString(const RawRegValue& value) {
    if (value.type != REG_SZ || value.bytes.size() % 2 != 0 || value.bytes.size() < 2) return std::nullopt;
    std::wstring text(value.bytes.size() / 2, L'\0');
    std::memcpy(text.data(), value.bytes.data(), value.bytes.size());
    if (text.back() != L'\0') return std::nullopt;
    text.pop_back();
    if (text.find_first_of(std::wstring(L"\r\n\0", 3)) != std::wstring::npos) return std::nullopt;
    return text;
}

std::wstring HexOf(unsigned number, int digits) {
    std::wstring text(static_cast<size_t>(digits), L'0');
    for (int i = digits - 1; i >= 0; --i, number >>= 4) text[static_cast<size_t>(i)] = kHexDigits[number & 0xF];
    return text;
}

std::wstring DataText(const RawRegValue& value) {
    if (const auto text = PlainString(value)) return Quoted(*text);
    if (value.type == REG_DWORD && value.bytes.size() == 4) {
        DWORD number = 0;
        std::memcpy(&number, value.bytes.data(), 4);
        return L"dword:" + HexOf(number, 8);
    }
    std::wstring text = value.type == REG_BINARY ? L"hex:" : L"hex(" + HexOf(value.type, 1) + L"):";
    if (value.type > 0xF) text = L"hex(" + HexOf(value.type, 8) + L"):";
    for (size_t i = 0; i < value.bytes.size(); ++i) {
        if (i > 0) text += L',';
        text += HexOf(value.bytes[i], 2);
    }
    return text;
}

// --- Reading ---

std::vector<std::wstring> Lines(const std::wstring& text) {
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(L'\n', start);
        if (end == std::wstring::npos) end = text.size();
        std::wstring line = text.substr(start, end - start);
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        lines.push_back(std::move(line));
        start = end + 1;
    }
    return lines;
}

std::optional<unsigned> HexNumber(const std::wstring& text) {
    if (text.empty() || text.size() > 8) return std::nullopt;
    unsigned number = 0;
    for (const wchar_t c : text) {
        unsigned digit = 0;
        if (c >= L'0' && c <= L'9') digit = static_cast<unsigned>(c - L'0');
        else if (c >= L'a' && c <= L'f') digit = static_cast<unsigned>(c - L'a' + 10);
        else if (c >= L'A' && c <= L'F') digit = static_cast<unsigned>(c - L'A' + 10);
        else return std::nullopt;
        number = number * 16 + digit;
    }
    return number;
}

// A quoted string starting at `at`; `at` ends after the closing quote.
std::optional<std::wstring> Unquote(const std::wstring& line, size_t& at) {
    if (at >= line.size() || line[at] != L'"') return std::nullopt;
    std::wstring text;
    for (++at; at < line.size(); ++at) {
        if (line[at] == L'\\' && at + 1 < line.size()) {
            text += line[++at];
        } else if (line[at] == L'"') {
            ++at;
            return text;
        } else {
            text += line[at];
        }
    }
    return std::nullopt;
}

std::optional<RawRegValue> ParseData(const std::wstring& data) {
    RawRegValue value;
    if (!data.empty() && data.front() == L'"') {
        size_t at = 0;
        const auto text = Unquote(data, at);
        if (!text || at != data.size()) return std::nullopt;
        value.type = REG_SZ;
        value.bytes.resize((text->size() + 1) * 2);
        std::memcpy(value.bytes.data(), text->c_str(), value.bytes.size());
        return value;
    }
    if (data.rfind(L"dword:", 0) == 0) {
        const auto number = HexNumber(data.substr(6));
        if (!number) return std::nullopt;
        value.type = REG_DWORD;
        value.bytes.resize(4);
        std::memcpy(value.bytes.data(), &*number, 4);
        return value;
    }
    size_t colon = data.find(L':');
    if (colon == std::wstring::npos) return std::nullopt;
    const std::wstring kind = data.substr(0, colon);
    if (kind == L"hex") {
        value.type = REG_BINARY;
    } else if (kind.size() > 5 && kind.rfind(L"hex(", 0) == 0 && kind.back() == L')') {
        const auto type = HexNumber(kind.substr(4, kind.size() - 5));
        if (!type) return std::nullopt;
        value.type = *type;
    } else {
        return std::nullopt;
    }
    const std::wstring bytes = data.substr(colon + 1);
    for (size_t at = 0; at < bytes.size(); at += 3) {
        const auto byte = HexNumber(bytes.substr(at, 2));
        if (!byte || (at + 2 < bytes.size() && bytes[at + 2] != L',')) return std::nullopt;
        value.bytes.push_back(static_cast<BYTE>(*byte));
    }
    return value;
}

std::optional<RegFileValue> ParseValueLine(const std::wstring& line) {
    RegFileValue result;
    size_t at = 0;
    if (line[0] == L'@') {
        at = 1;
    } else {
        auto name = Unquote(line, at);
        if (!name) return std::nullopt;
        result.name = std::move(*name);
    }
    if (at >= line.size() || line[at] != L'=') return std::nullopt;
    const std::wstring data = line.substr(at + 1);
    if (data == L"-") return result;
    result.value = ParseData(data);
    if (!result.value) return std::nullopt;
    return result;
}

}  // namespace

std::wstring FormatRegFile(const std::vector<RegFileKey>& keys) {
    std::wstring text = std::wstring(kHeader) + kLineBreak;
    for (const RegFileKey& key : keys) {
        text += kLineBreak + std::wstring(key.remove ? L"[-" : L"[") + key.path + L"]" + kLineBreak;
        for (const RegFileValue& value : key.values) {
            text += value.name.empty() ? std::wstring(L"@") : Quoted(value.name);
            text += L"=" + (value.value ? DataText(*value.value) : std::wstring(L"-")) + kLineBreak;
        }
    }
    return text;
}

std::optional<std::vector<RegFileKey>> ParseRegFile(const std::wstring& text) {
    const std::vector<std::wstring> lines = Lines(text);
    if (lines.empty() || lines[0] != kHeader) return std::nullopt;
    std::vector<RegFileKey> keys;
    for (size_t i = 1; i < lines.size(); ++i) {
        std::wstring line = lines[i];
        // regedit wraps long hex data with a backslash at the end of each line but the last.
        while (!line.empty() && line.back() == L'\\' && line.find(L"=hex") != std::wstring::npos &&
               i + 1 < lines.size()) {
            line.pop_back();
            const std::wstring& next = lines[++i];
            line += next.substr(std::min(next.find_first_not_of(L" \t"), next.size()));
        }
        if (line.empty() || line[0] == L';') continue;
        if (line[0] == L'[') {
            if (line.back() != L']' || line.size() < 3) return std::nullopt;
            RegFileKey key;
            key.remove = line[1] == L'-';
            key.path = line.substr(key.remove ? 2 : 1, line.size() - (key.remove ? 3 : 2));
            keys.push_back(std::move(key));
            continue;
        }
        if (keys.empty() || keys.back().remove) return std::nullopt;
        auto value = ParseValueLine(line);
        if (!value) return std::nullopt;
        keys.back().values.push_back(std::move(*value));
    }
    return keys;
}

bool WriteUtf16File(const std::wstring& path, const std::wstring& text) {
    // Written whole or not at all: a backup cut short by a full disk must not pass for one.
    const std::wstring content = kByteOrderMark + text;
    const auto* bytes = reinterpret_cast<const char*>(content.data());
    return WriteFileAtomically(path, std::string(bytes, bytes + content.size() * sizeof(wchar_t))) == ERROR_SUCCESS;
}

std::optional<std::wstring> ReadUtf16File(const std::wstring& path) {
    const UniqueKernelHandle file = OpenFileForReading(path);
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    // A backup is small; anything near this size is no backup of ours.
    constexpr LONGLONG kMaxSize = 64LL * 1024 * 1024;
    if (!::GetFileSizeEx(file.get(), &size) || size.QuadPart < 2 || size.QuadPart > kMaxSize || size.QuadPart % 2) {
        return std::nullopt;
    }
    std::wstring content(static_cast<size_t>(size.QuadPart / 2), L'\0');
    DWORD read = 0;
    if (!::ReadFile(file.get(), content.data(), static_cast<DWORD>(size.QuadPart), &read, nullptr) ||
        read != size.QuadPart || content[0] != kByteOrderMark) {
        return std::nullopt;
    }
    return content.substr(1);
}

}  // namespace qn
