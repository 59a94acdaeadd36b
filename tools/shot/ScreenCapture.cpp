#include "tools/shot/ScreenCapture.h"

#include <vector>

#include "platform/Handles.h"

namespace qn::shot {

namespace {

struct ScreenDc {
    HDC dc = ::GetDC(nullptr);
    ~ScreenDc() {
        if (dc) ::ReleaseDC(nullptr, dc);
    }
};

struct MemoryDcTraits { static void Close(HDC dc) noexcept { ::DeleteDC(dc); } };
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcTraits>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiTraits>;

struct FileTraits {
    static void Close(HANDLE file) noexcept {
        if (file != INVALID_HANDLE_VALUE) ::CloseHandle(file);
    }
};
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;

bool WriteAll(HANDLE file, const void* data, DWORD size) {
    DWORD written = 0;
    return ::WriteFile(file, data, size, &written, nullptr) && written == size;
}

}  // namespace

bool SaveScreenRect(const RECT& area, const std::wstring& path) {
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    if (width <= 0 || height <= 0) return false;

    const ScreenDc screen;
    if (!screen.dc) return false;
    const UniqueMemoryDc memory(::CreateCompatibleDC(screen.dc));
    if (!memory) return false;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(header);
    header.biWidth = width;
    header.biHeight = height;  // positive: rows bottom-up, as a BMP file stores them
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueBitmap bitmap(::CreateDIBSection(memory.get(), reinterpret_cast<BITMAPINFO*>(&header),
                                                 DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap || !bits) return false;
    const HGDIOBJ old = ::SelectObject(memory.get(), bitmap.get());
    const bool copied = ::BitBlt(memory.get(), 0, 0, width, height, screen.dc, area.left, area.top,
                                 SRCCOPY | CAPTUREBLT) != 0;
    ::GdiFlush();
    ::SelectObject(memory.get(), old);
    if (!copied) return false;

    // Each row of a 24-bit BMP is padded to a multiple of four bytes.
    const DWORD rowBytes = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
    const DWORD imageBytes = rowBytes * static_cast<DWORD>(height);
    header.biSizeImage = imageBytes;
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
    file.bfSize = file.bfOffBits + imageBytes;

    const UniqueFile out(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
    if (out.get() == INVALID_HANDLE_VALUE) return false;
    return WriteAll(out.get(), &file, sizeof(file)) && WriteAll(out.get(), &header, sizeof(header)) &&
           WriteAll(out.get(), bits, imageBytes);
}

}  // namespace qn::shot
