#include "platform/Clipboard.h"

#include <cstring>

namespace qn {

namespace {

// Closes the clipboard that the constructor opened.
class OpenClipboardScope {
public:
    explicit OpenClipboardScope(HWND owner) : open_(::OpenClipboard(owner) != FALSE) {}
    ~OpenClipboardScope() {
        if (open_) ::CloseClipboard();
    }
    OpenClipboardScope(const OpenClipboardScope&) = delete;
    OpenClipboardScope& operator=(const OpenClipboardScope&) = delete;
    bool IsOpen() const { return open_; }

private:
    bool open_;
};

}  // namespace

bool PutTextOnClipboard(HWND owner, const std::wstring& text) {
    const OpenClipboardScope clipboard(owner);
    if (!clipboard.IsOpen() || !::EmptyClipboard()) return false;
    const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    const HGLOBAL memory = ::GlobalAlloc(GMEM_MOVEABLE, bytes);
    if (!memory) return false;
    if (void* target = ::GlobalLock(memory)) {
        std::memcpy(target, text.c_str(), bytes);
        ::GlobalUnlock(memory);
        // From here on the clipboard owns the memory.
        if (::SetClipboardData(CF_UNICODETEXT, memory)) return true;
    }
    ::GlobalFree(memory);
    return false;
}

}  // namespace qn
