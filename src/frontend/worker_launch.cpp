// One worker process, waited for in a local event loop.
#include "frontend/worker_launch.h"

#include "common/file_ops.h"
#include "frontend/platform.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QProcess>

namespace frontend {

namespace {

// The worker says why in one line at its end; only that much of its error
// output is worth keeping, however much a misbehaving program writes.
constexpr qsizetype kKeptErrorBytes = 4096;

void keepTail(QByteArray& errors, const QByteArray& more)
{
    errors += more;
    if (errors.size() > kKeptErrorBytes)
        errors.remove(0, errors.size() - kKeptErrorBytes);
}

// The reason in the worker's error output: its last line that is not blank.
// Anything before it (a toolkit warning, say) is not meant for the user.
QString reasonFromErrorOutput(const QByteArray& errors)
{
    const QList<QByteArray> lines = errors.split('\n');
    for (auto line = lines.crbegin(); line != lines.crend(); ++line) {
        const QString text = QString::fromUtf8(*line).trimmed();
        if (!text.isEmpty())
            return text;
    }
    return {};
}

}  // namespace

FileOutcome RunProc1(const QString& workerPath, const QString& src, const QString& dst)
{
    // Only a regular file is converted: a FIFO would keep the worker, and
    // the batch with it, waiting for ever.
    if (!common::FileExistsSafe(src))
        return {kFailed, QFileInfo::exists(src) ? kNotRegularSourceReason : kNoSourceReason};
    QProcess process;
    setWorkerCommand(process, workerPath, src, dst);
    QByteArray errors;

    QEventLoop loop;
    QObject::connect(&process, &QProcess::readyReadStandardError, &loop,
        [&errors, &process] { keepTail(errors, process.readAllStandardError()); });
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
    keepTail(errors, process.readAllStandardError());

    // The worker says it wrote the file and the file is there: a file that
    // appeared under this name otherwise is not its result.
    const bool exitedZero = process.error() != QProcess::FailedToStart
                            && process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    if (exitedZero && common::FileExistsSafe(dst))
        return {kConverted, {}};
    if (process.error() == QProcess::FailedToStart)
        return {kFailed, kWorkerNotStartedReason};
    const QString reason = process.exitStatus() == QProcess::CrashExit ? QString() : reasonFromErrorOutput(errors);
    return {kFailed, reason.isEmpty() ? kWorkerDiedReason : reason};
}

}  // namespace frontend
