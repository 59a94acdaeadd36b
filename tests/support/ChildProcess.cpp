#include "support/ChildProcess.h"

#include <algorithm>

namespace qn::test {

namespace {

std::wstring NameOf(const std::wstring& entry) { return entry.substr(0, entry.find(L'=', 1)); }

bool SameName(const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) == 0; }

// The environment block: this process's variables with `changes` applied, sorted by name as
// CreateProcess expects.
std::vector<wchar_t> EnvironmentBlock(const std::vector<std::pair<std::wstring, std::wstring>>& changes) {
    std::vector<std::wstring> entries;
    if (wchar_t* current = ::GetEnvironmentStringsW()) {
        for (const wchar_t* p = current; *p; p += wcslen(p) + 1) entries.emplace_back(p);
        ::FreeEnvironmentStringsW(current);
    }
    for (const auto& [name, value] : changes) {
        entries.erase(std::remove_if(entries.begin(), entries.end(),
                                     [&](const std::wstring& e) { return SameName(NameOf(e), name); }),
                      entries.end());
        entries.push_back(name + L"=" + value);
    }
    std::sort(entries.begin(), entries.end(),
              [](const std::wstring& a, const std::wstring& b) { return ::lstrcmpiW(a.c_str(), b.c_str()) < 0; });
    std::vector<wchar_t> block;
    for (const auto& e : entries) block.insert(block.end(), e.c_str(), e.c_str() + e.size() + 1);
    block.push_back(L'\0');
    return block;
}

struct WindowSearch {
    DWORD processId;
    const wchar_t* className;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM context) {
    auto& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner != search.processId || !::IsWindowVisible(window)) return TRUE;
    WCHAR name[128] = {};
    ::GetClassNameW(window, name, 128);
    if (::lstrcmpW(name, search.className) != 0) return TRUE;
    search.found = window;
    return FALSE;
}

}  // namespace

ChildProcess::ChildProcess(const std::wstring& program, const std::wstring& currentDir,
                           const std::vector<std::pair<std::wstring, std::wstring>>& changes,
                           const std::wstring& arguments) {
    std::wstring commandLine = L"\"" + program + L"\"";
    if (!arguments.empty()) commandLine += L" " + arguments;
    std::vector<wchar_t> environment = EnvironmentBlock(changes);
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    if (!::CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, CREATE_UNICODE_ENVIRONMENT,
                          environment.data(), currentDir.empty() ? nullptr : currentDir.c_str(), &startup,
                          &info_)) {
        info_ = {};
    }
}

ChildProcess::~ChildProcess() {
    if (!info_.hProcess) return;
    if (::WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
        ::TerminateProcess(info_.hProcess, 255);
        ::WaitForSingleObject(info_.hProcess, 5000);
    }
    ::CloseHandle(info_.hThread);
    ::CloseHandle(info_.hProcess);
}

HWND ChildProcess::WaitForWindow(const wchar_t* className, DWORD milliseconds) const {
    const DWORD start = ::GetTickCount();
    do {
        WindowSearch search{info_.dwProcessId, className, nullptr};
        ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        if (::WaitForSingleObject(info_.hProcess, 20) == WAIT_OBJECT_0) return nullptr;
    } while (::GetTickCount() - start < milliseconds);
    return nullptr;
}

DWORD ChildProcess::WaitForExit(DWORD milliseconds) {
    if (!info_.hProcess || ::WaitForSingleObject(info_.hProcess, milliseconds) != WAIT_OBJECT_0) return STILL_ACTIVE;
    DWORD code = STILL_ACTIVE;
    ::GetExitCodeProcess(info_.hProcess, &code);
    return code;
}

}  // namespace qn::test
