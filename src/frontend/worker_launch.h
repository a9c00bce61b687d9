// Running the worker program for one file.
#pragma once

#include "frontend/batch_runner.h"

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

#include <functional>

namespace frontend {

// One worker process for one file, started without waiting. The file is
// converted when the worker exited with status 0 and a file now exists at
// every one of `dsts` (its destinations, one per form it writes). A source that is not a regular file fails at once, without a
// worker. Otherwise the reason is the worker's own (the last line of its
// error output), or kWorkerNotStartedReason when it could not be started,
// or kWorkerDiedReason when it crashed or ended without a reason.
// The worker inherits the current directory; its standard input and output
// are closed.
class WorkerRun final : public ConversionRun {
public:
    using Done = std::function<void(const FileOutcome&)>;

    // Starts the worker and returns; `done` receives the outcome once, while
    // the caller's event loop runs, or before the constructor returns when
    // there is nothing to wait for (no regular source, a failed start).
    WorkerRun(const QString& workerPath, const QString& src, const QStringList& dsts, Done done);
    // A worker still running is killed; `done` is not called any more.
    ~WorkerRun() override;

    WorkerRun(const WorkerRun&) = delete;
    WorkerRun& operator=(const WorkerRun&) = delete;

private:
    void finish();

    QStringList m_dsts;
    Done m_done;
    QProcess m_process;
    QByteArray m_errors;
    bool m_finished = false;
};

// Converts one file with a WorkerRun and waits until it has ended while the
// caller's event loop keeps running (windows stay responsive, new events are
// delivered). Returns the WorkerRun's outcome.
FileOutcome RunProc1(const QString& workerPath, const QString& src, const QStringList& dsts);

}  // namespace frontend
