// The program's one way into the registry: a small object that is told where to look and what to
// assume, then reads or writes one thing. Every operation opens its key and closes it again.
#pragma once

#include <windows.h>

#include <cstdint>
#include <stdexcept>
#include <string>
#include <variant>
#include <vector>

namespace qn {

// A predefined root key as the platform numbers it (HKEY_CLASSES_ROOT is 0x80000000).
using RegistryRootKey = int32_t;
inline constexpr RegistryRootKey kHKeyClassesRoot = static_cast<RegistryRootKey>(0x80000000u);
inline constexpr RegistryRootKey kHKeyCurrentUser = static_cast<RegistryRootKey>(0x80000001u);
inline constexpr RegistryRootKey kHKeyLocalMachine = static_cast<RegistryRootKey>(0x80000002u);

// The platform's registry value type numbers (REG_SZ = 1, REG_EXPAND_SZ = 2, ...).
using RegistryValueType = int32_t;

// A value of any type that the registry gives or takes: none, text, integer or bytes.
using RegValue = std::variant<std::monostate, std::wstring, int16_t, int32_t, std::vector<uint8_t>>;

// The value as text: text as it is, integers in decimal, bytes as two hex digits each separated
// by spaces, nothing as the empty text.
std::wstring RegValueText(const RegValue& value);

// `text` with its environment variables expanded; as it is when the platform cannot expand it.
std::wstring ExpandEnvironment(const std::wstring& text);

// The platform's handle for a root key. The handle values are 32-bit numbers sign-extended to
// pointer width, so on 64-bit Windows HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002.
HKEY ToHKey(RegistryRootKey root);

inline constexpr int32_t kRegistryErrorNumber = 26001;
inline constexpr int32_t kRegistrySetValueErrorNumber = static_cast<int32_t>(0x800469A9u);
inline constexpr wchar_t kRegistryErrorSource[] = L"QNRepair.cRegistry";

class RegistryError : public std::runtime_error {
public:
    RegistryError(int32_t number, std::wstring source, std::wstring description);

    int32_t Number;
    std::wstring Source;
    std::wstring Description;
};

class cRegistry {
public:
    // True when the key can be opened for reading. Never raises.
    bool KeyExists() const;
    // Creates the key and any missing keys above it; true, or raises RegistryError.
    bool CreateKey() const;
    // Deletes the key (which must have no subkeys); true, or raises RegistryError.
    bool DeleteKey() const;
    // Deletes the value named by ValueKey; true, or raises RegistryError.
    bool DeleteValue() const;

    // The value's data, or a copy of Default when it cannot be read. A successful read sets
    // ValueType to the type found.
    RegValue Value();
    // Writes the value as ValueType says, creating the key when it is missing. Raises
    // RegistryError when the key or the value cannot be written.
    void Value(const RegValue& vValue);

    void ValueType(RegistryValueType eValueType) { eValueType_ = eValueType; }
    RegistryValueType ValueType() const { return eValueType_; }
    void ClassKey(RegistryRootKey eKey) { eKey_ = eKey; }
    RegistryRootKey ClassKey() const { return eKey_; }
    void SectionKey(const std::wstring& sSectionKey) { sSectionKey_ = sSectionKey; }
    const std::wstring& SectionKey() const { return sSectionKey_; }
    void ValueKey(const std::wstring& sValueKey) { sValueKey_ = sValueKey; }
    const std::wstring& ValueKey() const { return sValueKey_; }
    void Default(const RegValue& vDefault) { vDefault_ = vDefault; }
    const RegValue& Default() const { return vDefault_; }

private:
    static uint32_t SwapByteOrder(uint32_t value);

    std::wstring SetValueMessage(const RegValue& vValue) const;
    void WriteValue(HKEY key, const RegValue& vValue) const;

    RegistryRootKey eKey_ = 0;
    std::wstring sSectionKey_;
    std::wstring sValueKey_;
    RegValue vDefault_;
    RegistryValueType eValueType_ = 0;
};

}  // namespace qn
