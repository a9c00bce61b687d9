// Running the worker program for one file.
#pragma once

#include "frontend/batch_runner.h"

#include <QString>

namespace frontend {

// Starts `workerPath` with the source and destination paths and waits until
// it has ended while the caller's event loop keeps running (windows stay
// responsive, new events are delivered). The file is converted when the
// worker exited with status 0 and a file now exists at `dst`. A source that
// is not a regular file fails at once, without a worker. Otherwise the reason
// is the worker's own (the last line of its error output), or
// kWorkerNotStartedReason when it could not be started, or kWorkerDiedReason
// when it crashed or ended without a reason.
// The worker inherits the current directory; its standard input and output
// are closed.
FileOutcome RunProc1(const QString& workerPath, const QString& src, const QString& dst);

}  // namespace frontend
