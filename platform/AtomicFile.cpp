#include "platform/AtomicFile.h"

#include <algorithm>

#include "platform/Handles.h"

namespace qn {

namespace {

// The folder of `path` as a full path; empty when the path cannot be resolved.
std::wstring FolderOf(const std::wstring& path) {
    WCHAR full[MAX_PATH * 4] = {};
    WCHAR* name = nullptr;
    const DWORD length = ::GetFullPathNameW(path.c_str(), MAX_PATH * 4, full, &name);
    if (length == 0 || length >= MAX_PATH * 4 || !name) return {};
    return std::wstring(full, static_cast<size_t>(name - full));
}

DWORD WriteAll(const std::wstring& path, const std::string& bytes) {
    // An invalid handle is INVALID_HANDLE_VALUE, not null; the wrapper closes only real ones.
    HANDLE raw = ::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (raw == INVALID_HANDLE_VALUE) return ::GetLastError();
    const UniqueKernelHandle file(raw);
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
        if (!::WriteFile(file.get(), bytes.data() + done, chunk, &written, nullptr)) return ::GetLastError();
        done += written;
    }
    if (!::FlushFileBuffers(file.get())) return ::GetLastError();
    return ERROR_SUCCESS;
}

}  // namespace

DWORD WriteFileAtomically(const std::wstring& path, const std::string& bytes) {
    const std::wstring folder = FolderOf(path);
    if (folder.empty()) return ERROR_INVALID_NAME;
    // In the target's folder, so that the rename stays on one volume and cannot half-happen.
    WCHAR temp[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), L"qnr", 0, temp)) return ::GetLastError();
    DWORD error = WriteAll(temp, bytes);
    if (error == ERROR_SUCCESS &&
        !::MoveFileExW(temp, path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        error = ::GetLastError();
    }
    if (error != ERROR_SUCCESS) ::DeleteFileW(temp);
    return error;
}

}  // namespace qn
