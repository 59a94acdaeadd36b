// Owning wrappers for the Win32 handles the program holds: each closes its handle once.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <utility>

namespace qn {

template <typename Handle, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(Handle handle) noexcept : handle_(handle) {}
    ~UniqueHandle() { reset(); }

    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const noexcept { return handle_; }
    explicit operator bool() const noexcept { return handle_ != Handle{}; }
    Handle release() noexcept { return std::exchange(handle_, Handle{}); }
    void reset(Handle handle = Handle{}) noexcept {
        Handle old = std::exchange(handle_, handle);
        if (old != Handle{}) Traits::Close(old);
    }
    // For functions that hand a new handle back through an out-parameter.
    Handle* put() noexcept {
        reset();
        return &handle_;
    }

private:
    Handle handle_{};
};

struct RegKeyTraits { static void Close(HKEY key) noexcept { ::RegCloseKey(key); } };
struct ModuleTraits { static void Close(HMODULE module) noexcept { ::FreeLibrary(module); } };
struct GdiTraits { static void Close(HGDIOBJ object) noexcept { ::DeleteObject(object); } };
struct IconTraits { static void Close(HICON icon) noexcept { ::DestroyIcon(icon); } };
struct ImageListTraits { static void Close(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); } };
struct WindowTraits { static void Close(HWND window) noexcept { ::DestroyWindow(window); } };
struct DcTraits { static void Close(HDC dc) noexcept { ::DeleteDC(dc); } };
struct KernelTraits { static void Close(HANDLE handle) noexcept { ::CloseHandle(handle); } };

using UniqueHKey = UniqueHandle<HKEY, RegKeyTraits>;
using UniqueModule = UniqueHandle<HMODULE, ModuleTraits>;
using UniqueFont = UniqueHandle<HFONT, GdiTraits>;
using UniqueBrush = UniqueHandle<HBRUSH, GdiTraits>;
using UniqueIcon = UniqueHandle<HICON, IconTraits>;
using UniqueImageList = UniqueHandle<HIMAGELIST, ImageListTraits>;
using UniqueWindow = UniqueHandle<HWND, WindowTraits>;
using UniqueDC = UniqueHandle<HDC, DcTraits>;  // a DC made with CreateCompatibleDC
// A process, thread, event or file: null, never INVALID_HANDLE_VALUE, when there is none.
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelTraits>;

}  // namespace qn
