// The per-file loop of a batch, one file at a time or several at once.
#include "frontend/batch_runner.h"

#include <QEventLoop>
#include <QFileInfo>
#include <QSet>

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace frontend {

namespace {

void logLine(const BatchHooks& hooks, const QString& line)
{
    if (hooks.log)
        hooks.log(line);
}

using LogLine = std::function<void(const QString&)>;

// The lines after a file's destination, and its count in the result.
void logOutcome(const LogLine& log, const FileOutcome& outcome, BatchResult& result)
{
    log(kResultPrefix + outcome.result);
    if (outcome.result == kConverted) {
        ++result.converted;
        return;
    }
    ++result.failed;
    if (!outcome.reason.isEmpty())
        log(kReasonPrefix + outcome.reason);
}

// The line after a converted file's result, and its count in the result.
void logCheck(const LogLine& log, const OutputCheck& check, BatchResult& result)
{
    log(checkLogLine(check));
    if (check.errors > 0)
        ++result.checkErrors;
}

// The log of a batch that converts one file after another while the check
// of the file before runs on its own thread. Lines wait while that check
// runs, so that its check line still comes right after its file's result.
class CheckedLog {
public:
    CheckedLog(const BatchHooks& hooks, BatchResult& result) : m_hooks(hooks), m_result(result) {}
    ~CheckedLog() { finish(); }

    // Logs `text` now, or after the running check.
    void line(const QString& text);
    // Starts checking `dst` once the check before has ended.
    void check(const QString& dst);
    // Waits for the running check and logs what waited for it.
    void finish();

private:
    void checked(const OutputCheck& check);

    const BatchHooks& m_hooks;
    BatchResult& m_result;
    std::unique_ptr<CheckRun> m_check;
    bool m_checking = false;
    QStringList m_waiting;
    QEventLoop m_loop;
};

void CheckedLog::line(const QString& text)
{
    if (m_checking)
        m_waiting.append(text);
    else
        logLine(m_hooks, text);
}

void CheckedLog::check(const QString& dst)
{
    finish();
    m_checking = true;
    m_check = std::make_unique<CheckRun>([&hooks = m_hooks, dst] { return hooks.checkOutput(dst); },
                                         [this](const OutputCheck& check) { checked(check); });
}

void CheckedLog::checked(const OutputCheck& check)
{
    m_checking = false;
    logCheck([this](const QString& text) { logLine(m_hooks, text); }, check, m_result);
    for (const QString& text : std::exchange(m_waiting, {}))
        logLine(m_hooks, text);
    m_loop.quit();
}

void CheckedLog::finish()
{
    if (m_checking)
        m_loop.exec();
    m_check.reset();
}

// A batch with several conversions running at once. Files are named and
// started in order; the log follows the first file not yet logged.
class JobsBatch {
public:
    JobsBatch(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks, int jobs)
        : m_files(files), m_target(target), m_hooks(hooks), m_jobs(std::max(jobs, 1)), m_state(size_t(files.size()))
    {
    }

    BatchResult run();

private:
    struct FileState {
        QString dst;
        bool named = false;
        std::optional<FileOutcome> outcome;  // the worker's, once it has ended
        std::optional<OutputCheck> checked;
        bool done = false;  // ended, and checked when it is checked
        std::unique_ptr<ConversionRun> conversion;
        std::unique_ptr<CheckRun> check;
    };

    bool startNext();
    void ended(qsizetype index, const FileOutcome& outcome);
    void checked(qsizetype index, const OutputCheck& check);
    void changed();
    void logWhatIsReady();

    // Names that differ only in case are one file where the file system
    // ignores case; elsewhere treating them alike only makes a file wait.
    static QString reservationKey(const QString& path) { return path.toCaseFolded(); }

    const QStringList& m_files;
    const OutputTarget& m_target;
    const BatchHooks& m_hooks;
    const int m_jobs;
    std::vector<FileState> m_state;
    QSet<QString> m_reserved;  // destinations of the running conversions
    qsizetype m_next = 0;      // the next file to name and start
    qsizetype m_logged = 0;    // files whose lines are all logged
    bool m_headLogged = false; // the first two lines of file m_logged are out
    int m_running = 0;         // conversions
    int m_checking = 0;        // checks of converted files
    bool m_changed = false;    // a conversion or check ended since the loop last looked
    QEventLoop m_loop;
    BatchResult m_result;
};

BatchResult JobsBatch::run()
{
    m_result.files = int(m_files.size());
    while (m_logged < m_files.size()) {
        while (m_next < m_files.size() && m_running < m_jobs && m_checking < m_jobs && startNext()) {
        }
        logWhatIsReady();
        if (m_logged == m_files.size())
            break;
        // Something is running here: a file waits only for a running
        // conversion or check, and with none running every file has been
        // started and has ended.
        Q_ASSERT(m_running + m_checking > 0);
        if (!m_changed)
            m_loop.exec();
        m_changed = false;
    }
    logLine(m_hooks, batchSummary(m_result));
    return m_result;
}

// Names file m_next and starts it; false when its name depends on a
// conversion still running (the file then stays next).
bool JobsBatch::startNext()
{
    const qsizetype index = m_next;
    bool mustWait = false;
    const QString dst = destinationFor(m_files[index], m_target, [this, &mustWait](const QString& path) {
        if (m_reserved.contains(reservationKey(path))) {
            mustWait = true;
            return true;
        }
        return m_hooks.isTaken ? m_hooks.isTaken(path) : QFileInfo::exists(path);
    });
    if (mustWait)
        return false;
    FileState& file = m_state[size_t(index)];
    file.dst = dst;
    file.named = true;
    ++m_next;
    if (dst.isEmpty()) {
        file.outcome = FileOutcome{kFailed, kNoFreeNameReason};
        file.done = true;
    } else if (!m_hooks.startConvert) {
        file.outcome = FileOutcome{kFailed, kWorkerNotStartedReason};
        file.done = true;
    } else {
        m_reserved.insert(reservationKey(dst));
        ++m_running;
        file.conversion = m_hooks.startConvert(m_files[index], dst,
            [this, index](const FileOutcome& outcome) { ended(index, outcome); });
    }
    return true;
}

// The worker's slot and the name it wrote are free once it has ended (the
// file is there now); a converted file is done when its check is.
void JobsBatch::ended(qsizetype index, const FileOutcome& outcome)
{
    FileState& file = m_state[size_t(index)];
    if (file.outcome)
        return;
    file.outcome = outcome;
    m_reserved.remove(reservationKey(file.dst));
    --m_running;
    if (outcome.result == kConverted && m_hooks.checkOutput) {
        ++m_checking;
        file.check = std::make_unique<CheckRun>([check = m_hooks.checkOutput, dst = file.dst] { return check(dst); },
                                                [this, index](const OutputCheck& c) { checked(index, c); });
    } else {
        file.done = true;
    }
    changed();
}

void JobsBatch::checked(qsizetype index, const OutputCheck& check)
{
    FileState& file = m_state[size_t(index)];
    file.checked = check;
    file.done = true;
    --m_checking;
    changed();
}

void JobsBatch::changed()
{
    m_changed = true;
    m_loop.quit();
}

void JobsBatch::logWhatIsReady()
{
    while (m_logged < m_files.size()) {
        FileState& file = m_state[size_t(m_logged)];
        if (!file.named)
            return;
        if (!m_headLogged) {
            logLine(m_hooks, m_files[m_logged]);
            logLine(m_hooks, kArrowPrefix + file.dst);
            m_headLogged = true;
        }
        if (!file.done)
            return;
        const LogLine log = [this](const QString& text) { logLine(m_hooks, text); };
        logOutcome(log, *file.outcome, m_result);
        if (file.checked)
            logCheck(log, *file.checked, m_result);
        // Its process and check have ended; what is left of them is not
        // needed any more.
        file.conversion.reset();
        file.check.reset();
        m_headLogged = false;
        ++m_logged;
    }
}

}  // namespace

QString batchSummary(const BatchResult& result)
{
    QStringList notes;
    if (result.failed > 0)
        notes.append(QStringLiteral("失敗%1件").arg(result.failed));
    if (result.checkErrors > 0)
        notes.append(QStringLiteral("検査でエラーのあるファイル%1件").arg(result.checkErrors));
    QString line = QStringLiteral("%1件中%2件を変換しました").arg(result.files).arg(result.converted);
    if (!notes.isEmpty())
        line += u'（' + notes.join(u'・') + u'）';
    return line;
}

BatchResult runBatch(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks)
{
    BatchResult result;
    result.files = int(files.size());
    CheckedLog log(hooks, result);
    const LogLine line = [&log](const QString& text) { log.line(text); };
    int tried = 0;
    for (const QString& src : files) {
        if (hooks.stopRequested && hooks.stopRequested()) {
            // The window is closing: nobody reads a summary any more.
            result.stopped = true;
            return result;
        }
        // The key is read at this moment, so holding it down stops the batch
        // at the next file even when the window never saw it pressed.
        if (hooks.escapeHeld && hooks.escapeHeld()) {
            line(kEscapeLine);
            result.stopped = true;
            break;
        }
        if (hooks.starting)
            hooks.starting(++tried, result.files, src);
        const QString dst = destinationFor(src, target, hooks.isTaken);
        line(src);
        line(kArrowPrefix + dst);
        FileOutcome outcome;
        if (dst.isEmpty())
            outcome = {kFailed, kNoFreeNameReason};
        else if (!hooks.convert)
            outcome = {kFailed, kWorkerNotStartedReason};
        else
            outcome = hooks.convert(src, dst);
        logOutcome(line, outcome, result);
        if (outcome.result == kConverted && hooks.checkOutput)
            log.check(dst);
    }
    log.finish();
    logLine(hooks, batchSummary(result));
    return result;
}

BatchResult runBatchJobs(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks, int jobs)
{
    return JobsBatch(files, target, hooks, jobs).run();
}

}  // namespace frontend
