// Work on a thread of its own, reported back in the thread that started it.
#include "frontend/thread_run.h"

#include <QObject>
#include <QThread>

namespace frontend {

struct ThreadCall::State {
    QObject context;  // lives in the thread that made the ThreadCall
    std::unique_ptr<QThread> thread;
};

ThreadCall::ThreadCall(std::function<void()> work, std::function<void()> done) : m_state(std::make_unique<State>())
{
    m_state->thread.reset(QThread::create(std::move(work)));
    // finished() comes from the work's own thread: the context object
    // brings it back into this one.
    QObject::connect(m_state->thread.get(), &QThread::finished, &m_state->context, std::move(done));
    m_state->thread->start();
}

ThreadCall::~ThreadCall()
{
    QObject::disconnect(m_state->thread.get(), nullptr, &m_state->context, nullptr);
    m_state->thread->wait();
}

}  // namespace frontend
