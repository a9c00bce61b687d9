// Work on a thread of its own whose result comes back to the thread that
// started it, so that the window stays responsive and other work goes on
// meanwhile: the check of a converted file, the check of a drawing shown.
#pragma once

#include <functional>
#include <memory>

namespace frontend {

// Runs `work` on a thread of its own, then `done` in the thread that made
// the ThreadCall, while that thread's event loop runs.
class ThreadCall {
public:
    ThreadCall(std::function<void()> work, std::function<void()> done);
    // Waits for work still running; `done` is not called any more.
    ~ThreadCall();

    ThreadCall(const ThreadCall&) = delete;
    ThreadCall& operator=(const ThreadCall&) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

// A ThreadCall whose work returns a `Result`: `done` receives it once, in
// the thread that made the ThreadRun, while its event loop runs. `work`
// must not touch the caller's objects. Destroying the ThreadRun waits for
// the work and drops its result.
template <typename Result>
class ThreadRun {
public:
    using Done = std::function<void(const Result&)>;

    ThreadRun(std::function<Result()> work, Done done)
        : m_result(std::make_unique<Result>())
        , m_call([result = m_result.get(), work = std::move(work)] { *result = work(); },
                 [result = m_result.get(), done = std::move(done)] { done(*result); })
    {
    }

private:
    std::unique_ptr<Result> m_result;  // outlives m_call, whose thread writes it
    ThreadCall m_call;
};

}  // namespace frontend
