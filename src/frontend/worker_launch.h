// Running the worker program for one file.
#pragma once

#include "frontend/batch_runner.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <functional>

namespace frontend {

// How long a worker may take for a source of `sourceBytes` bytes: far longer
// than the largest drawing and its pictures take on a slow machine, so that
// only a worker that hangs (on a source that became a pipe, say) reaches it,
// and it then does not hold the batch for ever.
std::chrono::milliseconds workerTimeLimit(qint64 sourceBytes);

// One worker process for one file, started without waiting. The file is
// converted when the worker exited with status 0 and a file now exists at
// every one of `dsts` (its destinations, one per form it writes). A source
// that is not a regular file fails at once, without a worker. Otherwise the
// reason is the worker's own (the last line of its error output), or
// kWorkerNotStartedReason when it could not be started, kWorkerDiedReason
// when it crashed or ended without a reason, kOutputGoneReason when it
// wrote the files but one of them is gone, or
// workerTimedOutReason when it ran past its time limit (it is then stopped).
// The worker inherits the current directory; a front-end stopped by a
// signal stops its running workers too.
class WorkerRun final : public ConversionRun {
public:
    using Done = std::function<void(const FileOutcome&)>;

    struct Options {
        // The worker takes turns to name its image files (grantTurn), as a
        // batch of several files at once needs.
        bool turns = false;
        // Zero: workerTimeLimit of the source's size. The time a worker
        // waits for its turn does not count.
        std::chrono::milliseconds timeLimit{0};
    };

    // Starts the worker and returns; `done` receives the outcome once, while
    // the caller's event loop runs, or before the constructor returns when
    // there is nothing to wait for (no regular source, a failed start).
    WorkerRun(const QString& workerPath, const QString& src, const QStringList& dsts, Done done, Options options);
    WorkerRun(const QString& workerPath, const QString& src, const QStringList& dsts, Done done)
        : WorkerRun(workerPath, src, dsts, std::move(done), Options{})
    {
    }
    // A worker still running is asked to stop (so that it removes what it
    // was writing) and ended if it does not; `done` is not called any more.
    ~WorkerRun() override;

    WorkerRun(const WorkerRun&) = delete;
    WorkerRun& operator=(const WorkerRun&) = delete;

    void setTurnHandler(std::function<void()> asked) override { m_turnAsked = std::move(asked); }
    void grantTurn() override;

private:
    void readRequests();
    void timedOut();
    void finish();

    QStringList m_dsts;
    Done m_done;
    QProcess m_process;
    QByteArray m_errors;
    QByteArray m_requests;
    std::function<void()> m_turnAsked;
    QTimer m_limit;
    std::chrono::milliseconds m_timeLimit{0};  // the whole limit
    std::chrono::milliseconds m_timeLeft{0};   // what is left of it while the worker waits for its turn
    qint64 m_pid = 0;
    bool m_timedOut = false;
    bool m_finished = false;
};

// The reason for a worker stopped at its time limit.
QString workerTimedOutReason(std::chrono::milliseconds limit);

// Converts one file with a WorkerRun and waits until it has ended while the
// caller's event loop keeps running (windows stay responsive, new events are
// delivered). Returns the WorkerRun's outcome.
FileOutcome RunProc1(const QString& workerPath, const QString& src, const QStringList& dsts);

}  // namespace frontend
