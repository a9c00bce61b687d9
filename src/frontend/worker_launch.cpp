// One worker process, waited for in a local event loop.
#include "frontend/worker_launch.h"

#include "common/file_ops.h"
#include "frontend/batch_runner.h"
#include "frontend/platform.h"

#include <QEventLoop>
#include <QProcess>

namespace frontend {

QString RunProc1(const QString& workerPath, const QString& src, const QString& dst)
{
    // Only a regular file is converted: a FIFO would keep the worker, and
    // the batch with it, waiting for ever.
    if (!common::FileExistsSafe(src))
        return kFailed;
    QProcess process;
    setWorkerCommand(process, workerPath, src, dst);

    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    QObject::connect(&process, &QProcess::errorOccurred, &loop, [&loop, &process](QProcess::ProcessError) {
        // A crash also ends with finished(); only a failed start ends here.
        if (process.state() == QProcess::NotRunning)
            loop.quit();
    });
    process.start();
    // A start that failed at once has already been reported; there is
    // nothing to wait for then.
    if (process.state() != QProcess::NotRunning)
        loop.exec();
    // The worker says it wrote the file and the file is there: a file that
    // appeared under this name otherwise is not its result.
    const bool exitedZero = process.error() != QProcess::FailedToStart
                            && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    return exitedZero && common::FileExistsSafe(dst) ? kConverted : kFailed;
}

}  // namespace frontend
