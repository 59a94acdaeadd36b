// Real pointer and keyboard input, as a user gives it: the system decides which window gets it.
#pragma once

#include <windows.h>

#include <functional>
#include <initializer_list>

namespace qn {
class frmQNRepair;
}

namespace qn::test {

// Moves the pointer to the screen's corner, off every window, so that a window created next
// does not start under it.
void ParkPointer();

// Moves the pointer to `at` (client coordinates of `window`) and runs the messages that follow.
void MovePointerTo(HWND window, POINT at);

// Moves the pointer to the middle of `control`.
void MovePointerOnto(HWND control);

// Moves the pointer to a point of `container` that none of its visible children covers.
void MovePointerOntoBareSurface(HWND container);

// Moves the pointer by one pixel.
void NudgePointer();

// Presses and releases the left button where the pointer is.
void ClickPointer();

// Presses and releases `key`; the window's own message loop (with its dialog keys) runs them.
void PressKey(frmQNRepair& form, WORD key);

// Presses `keys` in order and releases them in reverse, as for Ctrl+C: {VK_CONTROL, 'C'}.
void PressKeys(frmQNRepair& form, std::initializer_list<WORD> keys);

// Runs the window's own message loop until `done` holds or the loop ends; the test fails,
// naming `what`, when neither happens within kPatienceMs.
void RunMessageLoopUntil(frmQNRepair& form, const std::function<bool()>& done, const char* what);

// Takes WM_QUIT off the calling thread's queue; true when it was there.
bool TakeQuitMessage();

}  // namespace qn::test
