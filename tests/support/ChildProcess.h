// Running another program under test: started with an environment of the test's choosing,
// its window found, its end awaited; never left running.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace qn::test {

class ChildProcess {
public:
    // Starts `program` in `currentDir` with this process's environment, where each of `changes`
    // sets (or adds) one variable, and `arguments` after the program's name on its command line.
    ChildProcess(const std::wstring& program, const std::wstring& currentDir,
                 const std::vector<std::pair<std::wstring, std::wstring>>& changes = {},
                 const std::wstring& arguments = {});
    ~ChildProcess();  // ends the process if it still runs
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    bool started() const { return info_.hProcess != nullptr; }
    HANDLE process() const { return info_.hProcess; }
    DWORD id() const { return info_.dwProcessId; }

    // The first visible top-level window of class `className` that the process shows within
    // `milliseconds`; null when none appears.
    HWND WaitForWindow(const wchar_t* className, DWORD milliseconds) const;

    // The exit code; STILL_ACTIVE when the process has not ended within `milliseconds`.
    DWORD WaitForExit(DWORD milliseconds);

private:
    PROCESS_INFORMATION info_{};
};

}  // namespace qn::test
