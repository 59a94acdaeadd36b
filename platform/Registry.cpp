#include "platform/Registry.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/RegistryTree.h"
#include "platform/Strings.h"
#include "platform/Utf8.h"

namespace qn {

namespace {

// KEY_ALL_ACCESS without the standard rights (DELETE, READ_CONTROL, WRITE_DAC, WRITE_OWNER),
// which a key needs for nothing done here.
constexpr REGSAM kKeyFullAccess = KEY_QUERY_VALUE | KEY_SET_VALUE | KEY_CREATE_SUB_KEY |
                                  KEY_ENUMERATE_SUB_KEYS | KEY_NOTIFY | KEY_CREATE_LINK;

// ExpandEnvironmentStrings takes at most 32K characters with the terminating NUL. Longer text is
// not refused but silently cut short (measured under Wine), so such text is not passed to it.
constexpr size_t kMaxExpandableLength = 32766;

std::wstring RootText(RegistryRootKey root) { return SignedText(root); }

// UTF-16 text of the data; a trailing odd byte is half a character and is dropped.
std::wstring TextOfData(const std::vector<BYTE>& bytes) {
    std::wstring text(bytes.size() / sizeof(wchar_t), L'\0');
    if (!text.empty()) std::memcpy(text.data(), bytes.data(), text.size() * sizeof(wchar_t));
    return text;
}

// Writers do not always store the terminating NUL; only one that is there is taken off.
std::wstring StringOfData(const std::vector<BYTE>& bytes) {
    std::wstring text = TextOfData(bytes);
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

// The strings each followed by a NUL; the NUL that ends the list goes, and a last string
// stored without its own NUL gets one.
std::wstring MultiStringOfData(const std::vector<BYTE>& bytes) {
    std::wstring text = TextOfData(bytes);
    if (text.size() == 1 && text[0] == L'\0') return {};
    if (text.empty()) return text;
    if (text.back() != L'\0') {
        text.push_back(L'\0');
    } else if (text.size() >= 2 && text[text.size() - 2] == L'\0') {
        text.pop_back();
    }
    return text;
}

std::optional<uint32_t> DwordOfData(const std::vector<BYTE>& bytes) {
    if (bytes.size() < sizeof(uint32_t)) return std::nullopt;
    uint32_t value = 0;
    std::memcpy(&value, bytes.data(), sizeof value);
    return value;
}

// Text that names an environment variable ("%" ... "%" with at least one character between)
// is stored as REG_EXPAND_SZ, so that "100%" or "%%" stay plain strings.
bool NamesEnvironmentVariable(const std::wstring& text) {
    const size_t first = text.find(L'%');
    return first != std::wstring::npos && text.find(L'%', first + 2) != std::wstring::npos;
}

std::optional<int32_t> IntegerOf(const RegValue& value) {
    if (const auto* number = std::get_if<int32_t>(&value)) return *number;
    if (const auto* number = std::get_if<int16_t>(&value)) return *number;
    return std::nullopt;
}

LONG SetValue(HKEY key, const std::wstring& name, DWORD type, const void* data, size_t size) {
    return ::RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data),
                            static_cast<DWORD>(size));
}

}  // namespace

std::wstring RegValueText(const RegValue& value) {
    if (const auto* text = std::get_if<std::wstring>(&value)) return *text;
    if (const auto* number = std::get_if<int16_t>(&value)) return SignedText(*number);
    if (const auto* number = std::get_if<int32_t>(&value)) return SignedText(*number);
    std::wstring text;
    if (const auto* bytes = std::get_if<std::vector<uint8_t>>(&value)) {
        static constexpr wchar_t kHexDigits[] = L"0123456789ABCDEF";
        for (const uint8_t byte : *bytes) {
            if (!text.empty()) text += L' ';
            text += kHexDigits[byte >> 4];
            text += kHexDigits[byte & 0x0F];
        }
    }
    return text;
}

HKEY ToHKey(RegistryRootKey root) { return reinterpret_cast<HKEY>(static_cast<LONG_PTR>(root)); }

RegistryError::RegistryError(int32_t number, std::wstring source, std::wstring description)
    : std::runtime_error(ToUtf8(source) + " error " + std::to_string(number) + ": " + ToUtf8(description)),
      Number(number),
      Source(std::move(source)),
      Description(std::move(description)) {}

bool cRegistry::KeyExists() const {
    UniqueHKey key;
    return ::RegOpenKeyExW(ToHKey(eKey_), sSectionKey_.c_str(), 0, KEY_QUERY_VALUE, key.put()) ==
           ERROR_SUCCESS;
}

bool cRegistry::CreateKey() const {
    UniqueHKey key;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(ToHKey(eKey_), sSectionKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          kKeyFullAccess, nullptr, key.put(), &disposition) != ERROR_SUCCESS) {
        throw RegistryError(kRegistryErrorNumber, kRegistryErrorSource,
                            L"Failed to create registry Key: '" + sSectionKey_);
    }
    return true;
}

bool cRegistry::DeleteKey() const {
    if (::RegDeleteKeyW(ToHKey(eKey_), sSectionKey_.c_str()) != ERROR_SUCCESS) {
        throw RegistryError(kRegistryErrorNumber, kRegistryErrorSource,
                            L"Failed to delete registry Key: '" + RootText(eKey_) + L"',Section: '" +
                                sSectionKey_);
    }
    return true;
}

bool cRegistry::DeleteValue() const {
    UniqueHKey key;
    if (::RegOpenKeyExW(ToHKey(eKey_), sSectionKey_.c_str(), 0, kKeyFullAccess, key.put()) !=
        ERROR_SUCCESS) {
        throw RegistryError(kRegistryErrorNumber, kRegistryErrorSource,
                            L"Failed to open key '" + RootText(eKey_) + L"',Section: '" + sSectionKey_ +
                                L"' for delete access");
    }
    if (::RegDeleteValueW(key.get(), sValueKey_.c_str()) != ERROR_SUCCESS) {
        throw RegistryError(kRegistryErrorNumber, kRegistryErrorSource,
                            L"Failed to delete registry Key: '" + RootText(eKey_) + L"',Section: '" +
                                sSectionKey_ + L"',Key: '" + sValueKey_);
    }
    return true;
}

RegValue cRegistry::Value() {
    UniqueHKey key;
    if (::RegOpenKeyExW(ToHKey(eKey_), sSectionKey_.c_str(), 0, KEY_QUERY_VALUE, key.put()) !=
        ERROR_SUCCESS) {
        return vDefault_;
    }
    const std::optional<RawRegValue> raw = QueryRawValue(key.get(), sValueKey_);
    if (!raw) return vDefault_;

    RegValue result;
    switch (raw->type) {
    case REG_SZ:
        result = StringOfData(raw->bytes);
        break;
    case REG_EXPAND_SZ:
        result = ExpandEnvironment(StringOfData(raw->bytes));
        break;
    case REG_MULTI_SZ:
        result = MultiStringOfData(raw->bytes);
        break;
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN: {
        // Fewer than four bytes hold no number; the value counts as unreadable.
        const std::optional<uint32_t> number = DwordOfData(raw->bytes);
        if (!number) return vDefault_;
        const uint32_t ordered = raw->type == REG_DWORD ? *number : SwapByteOrder(*number);
        result = static_cast<int32_t>(ordered);
        break;
    }
    default:
        result = std::vector<uint8_t>(raw->bytes.begin(), raw->bytes.end());
        break;
    }
    eValueType_ = static_cast<RegistryValueType>(raw->type);
    return result;
}

void cRegistry::Value(const RegValue& vValue) {
    UniqueHKey key;
    DWORD disposition = 0;
    if (::RegCreateKeyExW(ToHKey(eKey_), sSectionKey_.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                          kKeyFullAccess, nullptr, key.put(), &disposition) != ERROR_SUCCESS) {
        throw RegistryError(kRegistryErrorNumber, kRegistryErrorSource, SetValueMessage(vValue));
    }
    WriteValue(key.get(), vValue);
}

void cRegistry::WriteValue(HKEY key, const RegValue& vValue) const {
    LONG result = ERROR_SUCCESS;
    switch (eValueType_) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        const std::wstring text = RegValueText(vValue);
        result = SetValue(key, sValueKey_, NamesEnvironmentVariable(text) ? REG_EXPAND_SZ : REG_SZ,
                          text.c_str(), (text.size() + 1) * sizeof(wchar_t));
        break;
    }
    case REG_BINARY: {
        const auto* bytes = std::get_if<std::vector<uint8_t>>(&vValue);
        if (!bytes) {
            throw RegistryError(kRegistryErrorNumber, kRegistryErrorSource,
                                SetValueMessage(vValue) + L": REG_BINARY data must be a byte array");
        }
        result = SetValue(key, sValueKey_, REG_BINARY, bytes->data(), bytes->size());
        break;
    }
    case REG_DWORD:
    case REG_DWORD_BIG_ENDIAN:
        // Both are stored as REG_DWORD in the machine's byte order; a value that is no
        // integer is skipped without complaint.
        if (const std::optional<int32_t> number = IntegerOf(vValue)) {
            const DWORD data = static_cast<DWORD>(*number);
            result = SetValue(key, sValueKey_, REG_DWORD, &data, sizeof data);
        }
        break;
    default:
        result = ERROR_INVALID_DATA;
        break;
    }
    if (result != ERROR_SUCCESS) {
        throw RegistryError(kRegistrySetValueErrorNumber, kRegistryErrorSource, SetValueMessage(vValue));
    }
}

std::wstring cRegistry::SetValueMessage(const RegValue& vValue) const {
    return L"Failed to set registry value Key: '" + RootText(eKey_) + L"',Section: '" + sSectionKey_ +
           L"',Key: '" + sValueKey_ + L"' to value: '" + RegValueText(vValue) + L"'";
}

uint32_t cRegistry::SwapByteOrder(uint32_t value) {
    return (value >> 24) | ((value >> 8) & 0x0000FF00u) | ((value << 8) & 0x00FF0000u) | (value << 24);
}

std::wstring ExpandEnvironment(const std::wstring& sText) {
    // An environment variable can grow between the two calls; after this many changes in a row
    // the expansion gives up.
    constexpr int kReadAttempts = 8;
    if (sText.size() > kMaxExpandableLength) return sText;
    DWORD size = ::ExpandEnvironmentStringsW(sText.c_str(), nullptr, 0);
    for (int attempt = 0; attempt < kReadAttempts && size != 0; ++attempt) {
        std::wstring buffer(size, L'\0');
        const DWORD needed = ::ExpandEnvironmentStringsW(sText.c_str(), buffer.data(), size);
        if (needed == 0) break;
        if (needed <= size) {
            buffer.resize(std::min<size_t>(buffer.find(L'\0'), buffer.size()));
            return buffer;
        }
        size = needed;
    }
    // The platform could not expand it; the text as stored is more use than none.
    return sText;
}

}  // namespace qn
