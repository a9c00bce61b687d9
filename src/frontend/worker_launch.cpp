// Worker processes, judged when they end.
#include "frontend/worker_launch.h"

#include "common/file_ops.h"
#include "common/interrupt_cleanup.h"
#include "common/worker_protocol.h"
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
// A worker asked to stop has this long to remove what it was writing.
constexpr int kStopGraceMs = 5000;

void keepTail(QByteArray& bytes, const QByteArray& more)
{
    bytes += more;
    if (bytes.size() > kKeptErrorBytes)
        bytes.remove(0, bytes.size() - kKeptErrorBytes);
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

std::chrono::milliseconds workerTimeLimit(qint64 sourceBytes)
{
    using namespace std::chrono_literals;
    const qint64 mebibytes = std::max<qint64>(sourceBytes, 0) >> 20;
    return std::chrono::duration_cast<std::chrono::milliseconds>(2min + 20s * mebibytes);
}

QString workerTimedOutReason(std::chrono::milliseconds limit)
{
    return QStringLiteral("変換が制限時間（%1秒）内に終わらないため中止しました")
        .arg(std::chrono::duration_cast<std::chrono::seconds>(limit).count());
}

WorkerRun::WorkerRun(const QString& workerPath, const QString& src, const QStringList& dsts, Done done,
                     Options options)
    : m_dsts(dsts), m_done(std::move(done))
{
    // Only a regular file is converted: a FIFO would keep the worker, and
    // the batch with it, waiting for ever.
    if (!common::FileExistsSafe(src)) {
        m_finished = true;
        m_done({kFailed, common::NameTaken(src) ? kNotRegularSourceReason : kNoSourceReason});
        return;
    }
    m_timeLimit = options.timeLimit.count() > 0 ? options.timeLimit : workerTimeLimit(QFileInfo(src).size());
    setWorkerCommand(m_process, workerPath, src, dsts, options.turns);
    QObject::connect(&m_process, &QProcess::readyReadStandardError, &m_process,
        [this] { keepTail(m_errors, m_process.readAllStandardError()); });
    QObject::connect(&m_process, &QProcess::readyReadStandardOutput, &m_process, [this] { readRequests(); });
    QObject::connect(&m_process, &QProcess::finished, &m_process, [this] { finish(); });
    QObject::connect(&m_process, &QProcess::errorOccurred, &m_process, [this](QProcess::ProcessError) {
        // A crash also ends with finished(); only a failed start ends here.
        if (m_process.state() == QProcess::NotRunning)
            finish();
    });
    m_limit.setSingleShot(true);
    QObject::connect(&m_limit, &QTimer::timeout, &m_limit, [this] { timedOut(); });
    m_process.start();
    // A start that failed at once may have been reported already, or not
    // at all: either way there is nothing to wait for.
    if (m_process.state() == QProcess::NotRunning) {
        finish();
        return;
    }
    m_pid = m_process.processId();
    adoptWorker(m_process);
    common::stopProcessOnInterrupt(m_pid);
    m_limit.start(m_timeLimit);
}

WorkerRun::~WorkerRun()
{
    // The process object outlives nothing it reports to: it kills a running
    // worker on destruction and would report that end.
    QObject::disconnect(&m_process, nullptr, nullptr, nullptr);
    if (m_process.state() != QProcess::NotRunning) {
        stopWorker(m_process);
        m_process.waitForFinished(kStopGraceMs);
    }
    common::forgetProcessOnInterrupt(m_pid);
}

void WorkerRun::readRequests()
{
    keepTail(m_requests, m_process.readAllStandardOutput());
    for (qsizetype end; (end = m_requests.indexOf('\n')) >= 0;) {
        const QByteArray line = m_requests.left(end).trimmed();
        m_requests.remove(0, end + 1);
        if (line != common::kTurnRequest)
            continue;
        // Waiting for its turn is not the worker's own time.
        if (m_limit.isActive()) {
            m_timeLeft = std::chrono::milliseconds(m_limit.remainingTime());
            m_limit.stop();
        }
        if (m_turnAsked)
            m_turnAsked();
        else
            grantTurn();
    }
}

void WorkerRun::grantTurn()
{
    if (m_process.state() != QProcess::Running)
        return;
    m_process.write(QByteArray(common::kTurnGrant) + '\n');
    if (!m_limit.isActive() && !m_timedOut && m_timeLeft.count() > 0)
        m_limit.start(m_timeLeft);
}

void WorkerRun::timedOut()
{
    m_timedOut = true;
    stopWorker(m_process);
    QTimer::singleShot(kStopGraceMs, &m_process, [this] { m_process.kill(); });
}

void WorkerRun::finish()
{
    if (m_finished)
        return;
    m_finished = true;
    m_limit.stop();
    common::forgetProcessOnInterrupt(m_pid);
    keepTail(m_errors, m_process.readAllStandardError());
    // The worker says it wrote the files and they are there: a file that
    // appeared under such a name otherwise is not its result.
    const bool started = m_process.error() != QProcess::FailedToStart;
    const bool exitedZero = started && m_process.exitStatus() == QProcess::NormalExit && m_process.exitCode() == 0;
    FileOutcome outcome;
    if (m_timedOut) {
        outcome = {kFailed, workerTimedOutReason(m_timeLimit)};
    } else if (exitedZero) {
        // Written, and taken away before the batch could look (the output
        // folder removed meanwhile): say so rather than blame the worker.
        const bool there = !m_dsts.isEmpty() && std::all_of(m_dsts.begin(), m_dsts.end(), common::FileExistsSafe);
        outcome = there ? FileOutcome{kConverted, {}} : FileOutcome{kFailed, kOutputGoneReason};
    } else if (!started) {
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
