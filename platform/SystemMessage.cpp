#include "platform/SystemMessage.h"

#include <memory>

namespace qn {

namespace {
struct LocalFreeDeleter {
    void operator()(WCHAR* text) const noexcept { ::LocalFree(text); }
};

bool FormatFromSystem(DWORD code, LANGID language, std::wstring& text) {
    WCHAR* raw = nullptr;
    // Inserts are ignored: the caller has no arguments for them, and a message that expects
    // some would otherwise read past the end of a missing argument list.
    const DWORD length = ::FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, language, reinterpret_cast<WCHAR*>(&raw), 0, nullptr);
    const std::unique_ptr<WCHAR, LocalFreeDeleter> owned(raw);
    if (length == 0 || !owned) return false;
    text.assign(owned.get(), length);
    // System messages end with a line break (some with a space before it).
    const size_t end = text.find_last_not_of(L" \t\r\n");
    text.erase(end == std::wstring::npos ? 0 : end + 1);
    return true;
}
}  // namespace

std::wstring SystemMessage(DWORD code) { return SystemMessage(code, 0); }

std::wstring SystemMessage(DWORD code, LANGID language) {
    std::wstring text;
    if (FormatFromSystem(code, language, text)) return text;
    // A system without the wanted language's messages (no language pack) still explains the
    // code in its own language.
    if (language != 0 && FormatFromSystem(code, 0, text)) return text;
    return {};
}

}  // namespace qn
