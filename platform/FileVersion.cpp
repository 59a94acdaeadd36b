#include "platform/FileVersion.h"

#include <algorithm>
#include <vector>

#include "platform/Handles.h"
#include "platform/NumberText.h"
#include "platform/Strings.h"
#include "platform/SystemLibrary.h"
#include "resources/resource.h"

namespace qn {

namespace {

// version.dll is not a KnownDLL: importing it statically would let a planted copy beside the
// program be loaded. It is loaded once, by full path, from the system directory.
struct VersionApi {
    using SizeFn = DWORD(WINAPI*)(LPCWSTR, LPDWORD);
    using InfoFn = BOOL(WINAPI*)(LPCWSTR, DWORD, DWORD, LPVOID);
    using QueryFn = BOOL(WINAPI*)(LPCVOID, LPCWSTR, LPVOID*, PUINT);

    UniqueModule module{LoadSystemLibrary(L"version.dll")};
    SizeFn getSize = GetProc<SizeFn>(module.get(), "GetFileVersionInfoSizeW");
    InfoFn getInfo = GetProc<InfoFn>(module.get(), "GetFileVersionInfoW");
    QueryFn query = GetProc<QueryFn>(module.get(), "VerQueryValueW");

    bool usable() const { return getSize && getInfo && query; }
};

const VersionApi& Version() {
    static const VersionApi api;  // loaded on first use, unchanged afterwards
    return api;
}

}  // namespace

bool ReadFixedFileInfo(const std::wstring& path, VS_FIXEDFILEINFO& info) {
    const VersionApi& api = Version();
    if (!api.usable()) return false;
    DWORD handle = 0;
    const DWORD size = api.getSize(path.c_str(), &handle);
    if (size == 0) return false;
    std::vector<BYTE> buffer(size);
    if (!api.getInfo(path.c_str(), handle, size, buffer.data())) return false;
    void* block = nullptr;
    UINT length = 0;
    if (!api.query(buffer.data(), L"\\", &block, &length) || !block) return false;
    // A truncated resource can report a root block that does not fit: neither in the buffer nor
    // in the length the version information declares for itself (its first WORD), past which the
    // system fills the buffer with data of its own. Never read past either.
    const BYTE* const first = static_cast<const BYTE*>(block);
    WORD declared = 0;
    if (buffer.size() >= sizeof(declared)) ::CopyMemory(&declared, buffer.data(), sizeof(declared));
    const size_t end = std::min<size_t>(buffer.size(), declared);
    if (length < sizeof(VS_FIXEDFILEINFO) || first < buffer.data() ||
        first + sizeof(VS_FIXEDFILEINFO) > buffer.data() + end) {
        return false;
    }
    VS_FIXEDFILEINFO read{};
    ::CopyMemory(&read, first, sizeof(VS_FIXEDFILEINFO));
    // Without its signature the root block is not a version record, whatever its numbers say.
    if (read.dwSignature != VS_FFI_SIGNATURE) return false;
    info = read;
    return true;
}

std::wstring FormatVersion(const VS_FIXEDFILEINFO& info, bool withBuild) {
    std::wstring text = UnsignedText(HIWORD(info.dwFileVersionMS)) + L"." +
                        UnsignedText(LOWORD(info.dwFileVersionMS)) + L"." +
                        UnsignedText(HIWORD(info.dwFileVersionLS));
    if (withBuild) text += L" (Build " + UnsignedText(LOWORD(info.dwFileVersionLS)) + L")";
    return text;
}

std::optional<std::wstring> ReadFileVersion(const std::wstring& path, bool withBuild) {
    VS_FIXEDFILEINFO info{};
    if (!ReadFixedFileInfo(path, info)) return std::nullopt;
    return FormatVersion(info, withBuild);
}

std::wstring GetFileVersionText(const std::wstring& path, bool withBuild) {
    return ReadFileVersion(path, withBuild).value_or(LoadResString(IDS_NOT_AVAILABLE));
}

}  // namespace qn
