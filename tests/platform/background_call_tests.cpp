// Work handed to a thread of its own, its result taken back on the starting thread.
#include <gtest/gtest.h>

#include <stdexcept>

#include "platform/BackgroundCall.h"

namespace {

DWORD ThreadOfTheWork() { return ::GetCurrentThreadId(); }

// Fails on the call's own thread; Take() runs it again on the starting thread, where it works.
DWORD FailsOnAThreadOfItsOwn() {
    static const DWORD starting = ::GetCurrentThreadId();
    if (::GetCurrentThreadId() != starting) throw std::runtime_error("not here");
    return starting;
}

}  // namespace

TEST(BackgroundCall, RunsOnAThreadOfItsOwnAndAFailureThereRunsAgainOnTake) {
    qn::BackgroundCall<DWORD> call(&ThreadOfTheWork);
    EXPECT_NE(call.Take(), ::GetCurrentThreadId());

    const DWORD here = FailsOnAThreadOfItsOwn();  // fixes the starting thread
    qn::BackgroundCall<DWORD> failing(&FailsOnAThreadOfItsOwn);
    EXPECT_EQ(failing.Take(), here);
}
