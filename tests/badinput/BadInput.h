// What the bad-input tests share: damaged copies of fixtures, folders in the way of files, and
// a watcher that reads and closes the message boxes the window shows.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace qn::test {

std::vector<BYTE> ReadBytes(const std::wstring& path);
void WriteBytes(const std::wstring& path, const std::vector<BYTE>& bytes);

// Offset of the VS_VERSIONINFO block (its wLength field) in a fixture's bytes.
size_t VersionInfoOffset(const std::vector<BYTE>& bytes);

// A copy of fixture `name` at `path`, changed by `damage`.
void WriteDamagedCopy(const std::wstring& name, const std::wstring& path,
                      const std::function<void(std::vector<BYTE>&)>& damage);

// A folder at `path` for the test's lifetime, where a file may have been (moved aside and put back).
class ScopedFolder {
public:
    explicit ScopedFolder(std::wstring path);
    ~ScopedFolder();
    ScopedFolder(const ScopedFolder&) = delete;
    ScopedFolder& operator=(const ScopedFolder&) = delete;

private:
    std::wstring path_;
    std::wstring backup_;
};

// Reads and closes (OK) every dialog box that a thread shows while the watcher lives.
class MessageBoxWatcher {
public:
    struct Box {
        std::wstring title, text;
    };
    explicit MessageBoxWatcher(DWORD uiThreadId);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    std::vector<Box> Seen();

private:
    void Watch();
    DWORD uiThreadId_;
    std::atomic<bool> stop_{false};
    std::mutex mutex_;
    std::vector<Box> seen_;
    std::vector<HWND> closed_;
    std::thread thread_;
};

// True when the window answers a message within two seconds.
bool Responds(HWND window);

}  // namespace qn::test
