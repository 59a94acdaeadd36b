#include "UserInput.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/frmQNRepair.h"
#include "support/TestSupport.h"

namespace qn::test {

namespace {

void SendPointerTo(POINT screen) {
    INPUT input{};
    input.type = INPUT_MOUSE;
    // Absolute positions are given in 0..65535 across the primary screen.
    input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
    input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
    input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    ASSERT_EQ(::SendInput(1, &input, sizeof(input)), 1u);
    PumpUntil(
        [&] {
            POINT now{};
            ::GetCursorPos(&now);
            return now.x == screen.x && now.y == screen.y && !InputWaiting();
        },
        "the pointer arrives");
}

}  // namespace

void ParkPointer() { SendPointerTo({0, 0}); }

void MovePointerTo(HWND window, POINT at) {
    ::ClientToScreen(window, &at);
    SendPointerTo(at);
}

void MovePointerOnto(HWND control) {
    RECT client{};
    ::GetClientRect(control, &client);
    MovePointerTo(control, {(client.left + client.right) / 2, (client.top + client.bottom) / 2});
}

void MovePointerOntoBareSurface(HWND container) {
    RECT client{};
    ::GetClientRect(container, &client);
    // From the bottom right, where the layouts leave room, in steps small enough for the gaps.
    for (LONG y = client.bottom - 3; y > client.top; y -= 4) {
        for (LONG x = client.right - 3; x > client.left; x -= 4) {
            if (::ChildWindowFromPointEx(container, {x, y}, CWP_SKIPINVISIBLE) == container) {
                MovePointerTo(container, {x, y});
                return;
            }
        }
    }
    ADD_FAILURE() << "no bare surface found";
}

void NudgePointer() {
    POINT now{};
    ::GetCursorPos(&now);
    SendPointerTo({now.x + 1, now.y});
}

void ClickPointer() {
    INPUT input[2]{};
    input[0].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].type = INPUT_MOUSE;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(::SendInput(2, input, sizeof(INPUT)), 2u);
    PumpUntil([] { return !InputWaiting(); }, "the click arrives");
}

void PressKey(frmQNRepair& form, WORD key) { PressKeys(form, {key}); }

void PressKeys(frmQNRepair& form, std::initializer_list<WORD> keys) {
    std::vector<INPUT> input(keys.size() * 2);
    size_t down = 0;
    for (const WORD key : keys) {
        INPUT& press = input[down];
        press.type = INPUT_KEYBOARD;
        press.ki.wVk = key;
        input[input.size() - 1 - down] = press;
        input[input.size() - 1 - down].ki.dwFlags = KEYEVENTF_KEYUP;
        ++down;
    }
    ASSERT_EQ(::SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT)), input.size());
    RunMessageLoopUntil(form, [] { return !InputWaiting(); }, "the key presses arrive");
}

void RunMessageLoopUntil(frmQNRepair& form, const std::function<bool()>& done, const char* what) {
    const DWORD start = ::GetTickCount();
    while (form.DoEvents() && !done()) {
        if (::GetTickCount() - start >= kPatienceMs) {
            ADD_FAILURE() << "waited " << kPatienceMs << " ms in vain: " << what;
            return;
        }
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

bool TakeQuitMessage() {
    MSG msg;
    return ::PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != FALSE;
}

}  // namespace qn::test
