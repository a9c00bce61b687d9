// Running the worker program for one file.
#pragma once

#include <QString>

namespace frontend {

// Starts `workerPath` with the source and destination paths, waits until it
// has ended while the caller's event loop keeps running (windows stay
// responsive, new events are delivered), and returns "変換完了" when the
// worker exited with status 0 and a file now exists at `dst`, else
// "変換失敗". A source that is not a regular file fails at once, without a
// worker. A worker that cannot be started or crashes gives "変換失敗"; start
// and wait errors are not reported otherwise.
// The worker inherits the current directory; its standard input and output
// are closed and its error output goes to ours.
QString RunProc1(const QString& workerPath, const QString& src, const QString& dst);

}  // namespace frontend
