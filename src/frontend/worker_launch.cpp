// Worker processes, judged when they end.
#include "frontend/worker_launch.h"

#include "common/file_ops.h"
#include "frontend/platform.h"

#include <QEventLoop>
#include <QFileInfo>

#include <algorithm>
#include <optional>

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

WorkerRun::WorkerRun(const QString& workerPath, const QString& src, const QStringList& dsts, Done done)
    : m_dsts(dsts), m_done(std::move(done))
{
    // Only a regular file is converted: a FIFO would keep the worker, and
    // the batch with it, waiting for ever.
    if (!common::FileExistsSafe(src)) {
        m_finished = true;
        m_done({kFailed, QFileInfo::exists(src) ? kNotRegularSourceReason : kNoSourceReason});
        return;
    }
    setWorkerCommand(m_process, workerPath, src, dsts);
    QObject::connect(&m_process, &QProcess::readyReadStandardError, &m_process,
        [this] { keepTail(m_errors, m_process.readAllStandardError()); });
    QObject::connect(&m_process, &QProcess::finished, &m_process, [this] { finish(); });
    QObject::connect(&m_process, &QProcess::errorOccurred, &m_process, [this](QProcess::ProcessError) {
        // A crash also ends with finished(); only a failed start ends here.
        if (m_process.state() == QProcess::NotRunning)
            finish();
    });
    m_process.start();
    // A start that failed at once may have been reported already, or not
    // at all: either way there is nothing to wait for.
    if (m_process.state() == QProcess::NotRunning)
        finish();
}

WorkerRun::~WorkerRun()
{
    // The process object outlives nothing it reports to: it kills a running
    // worker on destruction and would report that end.
    QObject::disconnect(&m_process, nullptr, nullptr, nullptr);
}

void WorkerRun::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    keepTail(m_errors, m_process.readAllStandardError());
    // The worker says it wrote the files and they are there: a file that
    // appeared under such a name otherwise is not its result.
    const bool exitedZero = m_process.error() != QProcess::FailedToStart
                            && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    const bool written = !m_dsts.isEmpty() && std::all_of(m_dsts.begin(), m_dsts.end(), common::FileExistsSafe);
    FileOutcome outcome;
    if (exitedZero && written) {
        outcome = {kConverted, {}};
    } else if (m_process.error() == QProcess::FailedToStart) {
        outcome = {kFailed, kWorkerNotStartedReason};
    } else {
        const QString reason =
            m_process.exitStatus() == QProcess::CrashExit ? QString() : reasonFromErrorOutput(m_errors);
        outcome = {kFailed, reason.isEmpty() ? kWorkerDiedReason : reason};
    }
    m_done(outcome);
}

FileOutcome RunProc1(const QString& workerPath, const QString& src, const QStringList& dsts)
{
    std::optional<FileOutcome> outcome;
    QEventLoop loop;
    const WorkerRun run(workerPath, src, dsts, [&outcome, &loop](const FileOutcome& o) {
        outcome = o;
        loop.quit();
    });
    if (!outcome)
        loop.exec();
    return *outcome;
}

}  // namespace frontend
