#include "platform/modAPI.h"

#include <shlobj.h>

#include <algorithm>
#include <vector>

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

std::wstring GetFileVersionText(const std::wstring& path, bool withBuild) {
    VS_FIXEDFILEINFO info{};
    if (!ReadFixedFileInfo(path, info)) return LoadResString(IDS_NOT_AVAILABLE);
    return FormatVersion(info, withBuild);
}

std::wstring GetSpecialFolderPath(int folderId) {
    WCHAR buffer[MAX_PATH + 1] = {};
    if (::SHGetFolderPathW(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, buffer) != S_OK) return {};
    buffer[MAX_PATH] = L'\0';
    return std::wstring(buffer);  // up to the first NUL
}

OsVersion QueryOsVersion() {
    // RtlGetVersion reports the real version, whatever the manifest or a compatibility shim says.
    using RtlGetVersionFn = LONG(WINAPI*)(OSVERSIONINFOW*);
    OSVERSIONINFOW info{};
    info.dwOSVersionInfoSize = sizeof(info);
    const auto rtlGetVersion =
        GetProc<RtlGetVersionFn>(::GetModuleHandleW(L"ntdll.dll"), "RtlGetVersion");
    if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
        info = OSVERSIONINFOW{};
        info.dwOSVersionInfoSize = sizeof(info);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!::GetVersionExW(&info)) return {};
#pragma GCC diagnostic pop
    }
    return {info.dwPlatformId, info.dwMajorVersion, info.dwMinorVersion, info.dwBuildNumber};
}

int ClassifyWindowsVersion(DWORD platformId, DWORD major, DWORD minor) {
    if (platformId == VER_PLATFORM_WIN32_NT) {
        if (major == 5) return minor == 0 ? kWin2000 : kWinXP;
        return kWinNT;
    }
    // Only the Windows 9x platform has 9x names; a failed query (all zero) or Win32s is unknown.
    if (platformId != VER_PLATFORM_WIN32_WINDOWS) return kWinUnknown;
    switch (minor) {
        case 0: return kWin95;
        case 10: return kWin98;
        case 90: return kWinMe;
        default: return kWinUnknown;
    }
}

int WindowsVersion::GetWindowsVersion() {
    if (cachedCode_ > 0) return cachedCode_;
    const OsVersion os = query_();
    cachedCode_ = ClassifyWindowsVersion(os.platformId, os.major, os.minor);
    return cachedCode_;
}

UniqueImageList SetButtonIcon(HWND button, HICON icon, int marginLeft, int marginTop) {
    UniqueImageList list{::ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 1, 1)};
    if (!list) return list;
    ::ImageList_AddIcon(list.get(), icon);
    BUTTON_IMAGELIST image{};
    image.himl = list.get();
    image.margin = RECT{marginLeft, marginTop, 0, 0};
    image.uAlign = BUTTON_IMAGELIST_ALIGN_LEFT;
    // Without version 6 of the common controls the message has no effect; nothing to report.
    ::SendMessageW(button, BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&image));
    return list;
}

}  // namespace qn
