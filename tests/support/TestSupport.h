// Helpers for tests that prepare the machine under test (the Wine prefix) and undo it afterwards.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace qn::test {

// Folder of the running test executable; the fixture DLLs are built beside it.
std::wstring TestDir();

// The program under test, QNRepair.exe, built one folder above the tests.
std::wstring ProgramPath();

// Full path of fixture DLL `name` (without ".dll").
std::wstring FixturePath(const std::wstring& name);

// Creates every missing folder of `path`.
void CreateDirectories(const std::wstring& path);

// Deletes `path` and everything below it; no error when it does not exist.
void RemoveTree(const std::wstring& path);

// Puts a file at `path` for the test's lifetime: a copy of `source`, or an empty file (zero
// bytes) when `source` is empty. Whatever was at `path` before is put back afterwards.
class ScopedFile {
public:
    ScopedFile(std::wstring path, const std::wstring& source);
    ~ScopedFile();
    ScopedFile(const ScopedFile&) = delete;
    ScopedFile& operator=(const ScopedFile&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
    std::wstring backup_;
};

// Takes away whatever is at `path` (file) for the test's lifetime and puts it back afterwards.
class ScopedAbsence {
public:
    explicit ScopedAbsence(std::wstring path);
    ~ScopedAbsence();
    ScopedAbsence(const ScopedAbsence&) = delete;
    ScopedAbsence& operator=(const ScopedAbsence&) = delete;

private:
    std::wstring path_;
    std::wstring backup_;
};

bool IsDirectory(const std::wstring& path);

// Makes a folder exist (or not) at `path` for the test's lifetime. Whatever was there (a folder,
// or a file in the way) is moved aside and put back afterwards; folders it had to create are
// removed with everything below them.
class ScopedDirectory {
public:
    ScopedDirectory(std::wstring path, bool present);
    ~ScopedDirectory();
    ScopedDirectory(const ScopedDirectory&) = delete;
    ScopedDirectory& operator=(const ScopedDirectory&) = delete;

private:
    std::wstring path_;
    std::wstring created_;
    std::wstring backup_;
};

// Makes `path` the current folder for the test's lifetime.
class ScopedCurrentDirectory {
public:
    explicit ScopedCurrentDirectory(const std::wstring& path);
    ~ScopedCurrentDirectory();
    ScopedCurrentDirectory(const ScopedCurrentDirectory&) = delete;
    ScopedCurrentDirectory& operator=(const ScopedCurrentDirectory&) = delete;

private:
    std::wstring previous_;
};

// A fresh folder below the temporary folder, removed with everything in it afterwards.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    const std::wstring& path() const { return path_; }

private:
    std::wstring path_;
};

// The dependency of the fixture component fx_dep_user, planted beside the test program (where
// a download lies beside QNRepair.exe) for the test's lifetime: a copy that leaves a trace when
// it is loaded. The real one is in TestDir()\dependency.
class PlantedDependency {
public:
    PlantedDependency();
    ~PlantedDependency();
    PlantedDependency(const PlantedDependency&) = delete;
    PlantedDependency& operator=(const PlantedDependency&) = delete;
    bool WasLoaded() const;
    static std::wstring Genuine();

private:
    TempDir markerDir_;
    ScopedFile plant_;
};

// Raw registry value: type and bytes.
struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

std::optional<RawValue> ReadRawValue(HKEY root, const std::wstring& key, const std::wstring& name);
void WriteRawValue(HKEY root, const std::wstring& key, const std::wstring& name, DWORD type,
                   const void* data, DWORD size);
void WriteString(HKEY root, const std::wstring& key, const std::wstring& name, const std::wstring& text);

// Sets (or removes, with std::nullopt) one registry value for the test's lifetime and
// restores the value, and the key's existence, afterwards.
class ScopedRegValue {
public:
    ScopedRegValue(HKEY root, std::wstring key, std::wstring name, std::optional<RawValue> value);
    ScopedRegValue(HKEY root, std::wstring key, std::wstring name, const std::wstring& text);
    ~ScopedRegValue();
    ScopedRegValue(const ScopedRegValue&) = delete;
    ScopedRegValue& operator=(const ScopedRegValue&) = delete;

private:
    HKEY root_;
    std::wstring key_;
    std::wstring name_;
    bool keyExisted_;
    std::optional<RawValue> previous_;
};

// Makes a registry key exist (or not) for the test's lifetime; restores it afterwards.
// Only keys without subkeys of their own can be taken away.
class ScopedRegKey {
public:
    ScopedRegKey(HKEY root, std::wstring key, bool present);
    ~ScopedRegKey();
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

private:
    HKEY root_;
    std::wstring key_;
    bool existed_;
};

bool KeyExists(HKEY root, const std::wstring& key);

// What the fixture fx_reg_writes registers: a class whose server is the fixture's own file, a
// ProgID, and a machine key. Each test that registers it removes them again.
inline constexpr wchar_t kFixtureClassKey[] = L"CLSID\\{6A1F3C52-8E4D-4B7A-9C21-3D5E7F9A0B14}";
inline constexpr wchar_t kFixtureServerKey[] = L"CLSID\\{6A1F3C52-8E4D-4B7A-9C21-3D5E7F9A0B14}\\InprocServer32";
inline constexpr wchar_t kFixtureProgIdKey[] = L"QNRepair.Fixture";
inline constexpr wchar_t kFixtureMachineKey[] = L"Software\\QNRepair Fixture";
void RemoveFixtureRegistration();
// What the fixture fx_reg_user registers below HKEY_CURRENT_USER: one per-user setting.
inline constexpr wchar_t kFixtureUserKey[] = L"Software\\QNRepair Fixture User";

// How many processes that this process started still run the program file `fileName`.
int RunningChildren(const std::wstring& fileName);

// The icon-title font of the machine under test, changed for one test and restored after.
class ScopedIconTitleFace {
public:
    explicit ScopedIconTitleFace(const wchar_t* face);
    ~ScopedIconTitleFace();
    ScopedIconTitleFace(const ScopedIconTitleFace&) = delete;
    ScopedIconTitleFace& operator=(const ScopedIconTitleFace&) = delete;

private:
    LOGFONTW saved_{};
};

// System colours (COLOR_* index, colour) set for one test and restored after; the system tells
// every window of both changes.
class ScopedSysColors {
public:
    explicit ScopedSysColors(const std::vector<std::pair<int, COLORREF>>& colours);
    ~ScopedSysColors();
    ScopedSysColors(const ScopedSysColors&) = delete;
    ScopedSysColors& operator=(const ScopedSysColors&) = delete;

private:
    std::vector<int> elements_;
    std::vector<COLORREF> saved_;
};

// How long a test waits for something the window does by itself (a timer, a posted message):
// far longer than it takes even under emulation, so that only a fault makes it run out.
constexpr DWORD kPatienceMs = 10000;

// Runs the calling thread's window messages that are already waiting.
void PumpMessages();

// Runs the calling thread's window messages until `done` holds; when it does not within
// kPatienceMs, the test fails, naming `what`. Returns whether it held.
bool PumpUntil(const std::function<bool()>& done, const char* what);

// True while input (pointer, keys) waits in the calling thread's queue.
bool InputWaiting();

// Lines of a UTF-8 text file (empty when it does not exist).
std::vector<std::wstring> ReadLines(const std::wstring& path);

// The bytes of a file (empty when it does not exist), and UTF-8 bytes as text.
std::string ReadBytes(const std::wstring& path);
std::wstring FromUtf8(const std::string& bytes);

// Sets an environment variable of this process for the test's lifetime.
class ScopedEnvironment {
public:
    ScopedEnvironment(std::wstring name, const std::wstring& value);
    ~ScopedEnvironment();
    ScopedEnvironment(const ScopedEnvironment&) = delete;
    ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

private:
    std::wstring name_;
    std::optional<std::wstring> previous_;
};

// The clipboard's Unicode text; empty when it holds none or cannot be opened.
std::wstring ClipboardText();

}  // namespace qn::test
