// The window's own subclass chains, on a real control: the order in which the added procedures
// see a message, a message sent to the control from inside one of them, comctl32's subclassing
// on top of a chain, and a control destroyed while one of its messages is under way.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

#include "app/ControlSubclass.h"

using namespace qn;

namespace {

constexpr UINT kProbe = WM_APP + 1;
constexpr UINT kInner = WM_APP + 2;
constexpr UINT kDestroy = WM_APP + 3;

// Each layer notes its id for every probe and passes the probe on; layer 2 also sends the
// control a second message before it passes the first one on.
LRESULT CALLBACK NoteProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR data) {
    auto& log = *reinterpret_cast<std::wstring*>(data);
    if (message == kProbe || message == kInner) {
        log += (message == kProbe ? L"p" : L"i") + std::to_wstring(id) + L" ";
        if (message == kProbe && id == 2) ::SendMessageW(control, kInner, 0, 0);
    } else if (message == kDestroy) {
        log += L"x" + std::to_wstring(id) + L" ";
        if (id == 2) ::DestroyWindow(control);
    } else if (message == WM_NCDESTROY) {
        log += L"d" + std::to_wstring(id) + L" ";
    }
    return DefControlProc(control, message, wParam, lParam);
}

LRESULT CALLBACK ComctlProc(HWND control, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR data) {
    if (message == kProbe) *reinterpret_cast<std::wstring*>(data) += L"comctl ";
    return ::DefSubclassProc(control, message, wParam, lParam);
}

// A label whose chain has layers 1, 2 and 3, each noting into `log`; null when one is missing.
HWND LabelWithThreeLayers(std::wstring& log) {
    const HWND label = ::CreateWindowExW(0, WC_STATICW, L"text", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr,
                                         ::GetModuleHandleW(nullptr), nullptr);
    for (UINT_PTR id = 1; label && id <= 3; ++id) {
        if (!SubclassControl(label, NoteProc, id, reinterpret_cast<DWORD_PTR>(&log))) return nullptr;
    }
    return label;
}

}  // namespace

TEST(ControlSubclass, NewestFirstNestedMessagesRunTheWholeChainAndComctlSubclassesSitOnTop) {
    std::wstring log;
    const HWND label = LabelWithThreeLayers(log);
    ASSERT_NE(label, nullptr);
    ASSERT_TRUE(::SetWindowSubclass(label, ComctlProc, 1, reinterpret_cast<DWORD_PTR>(&log)));

    ::SendMessageW(label, kProbe, 0, 0);
    // Layer 2's inner message starts at the top again; then the probe goes on to layer 1.
    EXPECT_EQ(log, L"comctl p3 p2 i3 i2 i1 p1 ");
    // The control's own procedure still answers below every layer.
    WCHAR text[16] = {};
    ::GetWindowTextW(label, text, 16);
    EXPECT_STREQ(text, L"text");

    log.clear();
    ::DestroyWindow(label);
    EXPECT_EQ(log, L"d3 d2 d1 ");
}

TEST(ControlSubclass, AControlDestroyedInsideOneOfItsMessagesEndsItsChainAfterwards) {
    std::wstring log;
    const HWND label = LabelWithThreeLayers(log);
    ASSERT_NE(label, nullptr);
    ::SendMessageW(label, kDestroy, 0, 0);
    // Every layer saw the control go; the message that destroyed it came back to its first
    // layers and went no further.
    EXPECT_EQ(log, L"x3 x2 d3 d2 d1 ");
    EXPECT_FALSE(::IsWindow(label));
}
