#include "app/CallerOutput.h"

#include <windows.h>

#include "platform/Handles.h"
#include "platform/Utf8.h"
#include "report/Report.h"

namespace qn {

namespace {

// A standard handle the caller really passed: a window program started without redirection
// has none, or one that names nothing.
HANDLE StandardHandle(DWORD which) {
    const HANDLE handle = ::GetStdHandle(which);
    if (!handle || handle == INVALID_HANDLE_VALUE) return nullptr;
    if (::GetFileType(handle) == FILE_TYPE_UNKNOWN && ::GetLastError() != NO_ERROR) return nullptr;
    return handle;
}

bool WriteAll(HANDLE handle, const std::string& bytes) {
    DWORD mode = 0;
    if (::GetFileType(handle) == FILE_TYPE_CHAR && ::GetConsoleMode(handle, &mode)) {
        // A console shows bytes in its own code page; it takes the text itself instead.
        const int length = ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
        std::wstring text(static_cast<size_t>(length), L'\0');
        ::MultiByteToWideChar(CP_UTF8, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(), length);
        DWORD written = 0;
        return ::WriteConsoleW(handle, text.c_str(), static_cast<DWORD>(text.size()), &written, nullptr) != 0;
    }
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD written = 0;
        if (!::WriteFile(handle, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &written, nullptr) ||
            written == 0) {
            return false;
        }
        done += written;
    }
    return true;
}

// The console of the process that started this one (a command prompt), when there is one.
bool WriteToParentConsole(const std::wstring& text) {
    if (!::AttachConsole(ATTACH_PARENT_PROCESS)) return false;
    HANDLE raw = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    bool written = false;
    if (raw != INVALID_HANDLE_VALUE) {
        const UniqueHandle<HANDLE, KernelTraits> console(raw);
        const std::wstring line = L"\r\n" + text + L"\r\n";
        DWORD count = 0;
        written = ::WriteConsoleW(console.get(), line.c_str(), static_cast<DWORD>(line.size()), &count, nullptr) != 0;
    }
    ::FreeConsole();
    return written;
}

}  // namespace

bool HasStandardOutput() { return StandardHandle(STD_OUTPUT_HANDLE) != nullptr; }

bool WriteStandardOutput(const std::string& bytes) {
    const HANDLE output = StandardHandle(STD_OUTPUT_HANDLE);
    return output && WriteAll(output, bytes);
}

void TellCaller(const std::wstring& text, bool toError) {
    if (const HANDLE handle = StandardHandle(toError ? STD_ERROR_HANDLE : STD_OUTPUT_HANDLE)) {
        if (WriteAll(handle, ToUtf8(text + L"\r\n"))) return;
    }
    if (WriteToParentConsole(text)) return;
    ::MessageBoxW(nullptr, text.c_str(), kProgramName, MB_OK | (toError ? MB_ICONWARNING : MB_ICONINFORMATION));
}

}  // namespace qn
