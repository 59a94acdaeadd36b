// A function started on a thread of its own, its result taken later on the starting thread.
#pragma once

#include <windows.h>

#include <functional>
#include <optional>
#include <utility>

#include "platform/Handles.h"

namespace qn {

// `work` must touch nothing that the starting thread uses meanwhile. Neither copied nor moved:
// the thread holds on to the object until it ends.
template <typename Result>
class BackgroundCall {
public:
    explicit BackgroundCall(std::function<Result()> work) : work_(std::move(work)) {
        thread_ = UniqueKernelHandle(::CreateThread(nullptr, 0, &Run, this, 0, nullptr));
    }
    ~BackgroundCall() { Wait(); }
    BackgroundCall(const BackgroundCall&) = delete;
    BackgroundCall& operator=(const BackgroundCall&) = delete;

    // Waits for the thread. Where it could not start or its work failed, the work runs here.
    Result Take() {
        Wait();
        if (!result_) result_ = work_();
        return std::move(*result_);
    }

private:
    static DWORD WINAPI Run(void* self) {
        auto& call = *static_cast<BackgroundCall*>(self);
        try {
            call.result_ = call.work_();
        } catch (...) {
            // Take() runs the work again, where a failure reaches the caller.
        }
        return 0;
    }

    void Wait() {
        if (thread_) ::WaitForSingleObject(thread_.get(), INFINITE);
        thread_.reset();
    }

    std::function<Result()> work_;
    UniqueKernelHandle thread_;
    std::optional<Result> result_;
};

}  // namespace qn
