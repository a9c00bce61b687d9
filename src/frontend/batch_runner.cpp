// The per-file loop of a batch, one file at a time or several at once.
#include "frontend/batch_runner.h"

#include "common/file_ops.h"
#include "common/worker_protocol.h"

#include <QEventLoop>
#include <QSet>

#include <algorithm>
#include <deque>
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

// "→ " and each file the conversion writes, or "→ " alone when the file
// has no destination.
void logDestinations(const LogLine& log, const QString& dst, OutputFormat format)
{
    const QStringList paths = destinationsOf(dst, format);
    if (paths.isEmpty())
        log(kArrowPrefix);
    for (const QString& path : paths)
        log(kArrowPrefix + path);
}

// The file the check reads: the first the conversion writes (the SFC file
// when both forms are written; both hold the same drawing).
QString checkedFile(const QString& dst, OutputFormat format)
{
    const QStringList paths = destinationsOf(dst, format);
    return paths.isEmpty() ? dst : paths.first();
}

// The lines after a file's destination, and its count in the result.
void logOutcome(const LogLine& log, const FileOutcome& outcome, BatchResult& result)
{
    log(kResultPrefix + outcome.result);
    if (outcome.result == kConverted) {
        ++result.converted;
        if (!outcome.reason.isEmpty())
            log(kNotePrefix + outcome.reason);
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

bool taken(const BatchHooks& hooks, const QString& path)
{
    return hooks.isTaken ? hooks.isTaken(path) : common::NameTaken(path);
}

// A file is tried again at most this often: each try converts it whole.
constexpr int kMaxTries = 100;

// True when the worker refused because another program took a name it was
// to write (the output's, or one of its pictures') after it was chosen:
// another batch into the same folder, say. The file is then tried again
// under the next free name, as if the name had been taken when it was
// chosen.
bool takenMeanwhile(const FileOutcome& outcome, int tries)
{
    return outcome.result == kFailed && outcome.reason == common::kDestinationExistsReason && tries < kMaxTries;
}

FileOutcome convertOne(const BatchHooks& hooks, const QString& src, const QString& dst)
{
    if (dst.isEmpty())
        return {kFailed, kNoFreeNameReason};
    if (!hooks.convert)
        return {kFailed, kWorkerNotStartedReason};
    return hooks.convert(src, dst);
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
        QStringList dsts;  // the names it was given, the last one in use
        qsizetype arrowsLogged = 0;
        int tries = 0;
        bool turnAsked = false;
        bool turnGranted = false;
        std::optional<FileOutcome> outcome;  // the worker's last, once it has ended
        std::optional<OutputCheck> checked;  // once its check has ended
        std::unique_ptr<ConversionRun> conversion;
        std::unique_ptr<CheckRun> check;

        // Ended, and checked when it is checked.
        bool done() const { return outcome && (!check || checked); }
    };

    bool start(qsizetype index);
    void ended(qsizetype index, const FileOutcome& outcome);
    void checked(qsizetype index, const OutputCheck& check);
    void grantTurns();
    void logWhatIsReady();
    void wake();
    // A file may start while fewer than m_jobs conversions, and fewer than
    // m_jobs checks, are running: checks do not pile up behind fast workers.
    bool hasSlot() const { return m_running < m_jobs && m_checking < m_jobs; }

    // Names that differ only in case are one file where the file system
    // ignores case; elsewhere treating them alike only makes a file wait.
    static QString reservationKey(const QString& path) { return path.toCaseFolded(); }

    const QStringList& m_files;
    const OutputTarget& m_target;
    const BatchHooks& m_hooks;
    const int m_jobs;
    std::vector<FileState> m_state;
    QSet<QString> m_reserved;      // destinations of the running conversions
    std::deque<qsizetype> m_renamed;  // started files whose name was taken meanwhile
    qsizetype m_next = 0;          // the next file to name and start
    qsizetype m_logged = 0;        // files whose lines are all logged
    bool m_headLogged = false;     // the source line of file m_logged is out
    int m_running = 0;             // conversions
    int m_checking = 0;            // checks of converted files
    bool m_changed = false;        // a conversion or check ended, or a conversion asked, since the loop last looked
    QEventLoop m_loop;
    BatchResult m_result;
};

BatchResult JobsBatch::run()
{
    m_result.files = int(m_files.size());
    while (m_logged < m_files.size()) {
        // A file whose name was taken meanwhile goes first: it comes before
        // every file not yet started.
        while (!m_renamed.empty() && hasSlot() && start(m_renamed.front()))
            m_renamed.pop_front();
        while (m_renamed.empty() && m_next < m_files.size() && hasSlot() && start(m_next))
            ++m_next;
        grantTurns();
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

// Names file `index` and starts it; false when its name depends on a
// conversion still running (the file then waits).
bool JobsBatch::start(qsizetype index)
{
    bool mustWait = false;
    const QString dst = destinationFor(m_files[index], m_target, [this, &mustWait](const QString& path) {
        if (m_reserved.contains(reservationKey(path))) {
            mustWait = true;
            return true;
        }
        return taken(m_hooks, path);
    });
    if (mustWait)
        return false;
    FileState& file = m_state[size_t(index)];
    // The name is logged again only when it changed.
    if (file.dsts.isEmpty() || file.dsts.last() != dst)
        file.dsts.append(dst);
    ++file.tries;
    file.turnAsked = file.turnGranted = false;
    if (dst.isEmpty()) {
        file.outcome = FileOutcome{kFailed, kNoFreeNameReason};
    } else if (!m_hooks.startConvert) {
        file.outcome = FileOutcome{kFailed, kWorkerNotStartedReason};
    } else {
        for (const QString& path : destinationsOf(dst, m_target.format))
            m_reserved.insert(reservationKey(path));
        ++m_running;
        file.conversion = m_hooks.startConvert(m_files[index], dst,
            [this, index](const FileOutcome& outcome) { ended(index, outcome); });
        if (file.conversion) {
            file.conversion->setTurnHandler([this, index] {
                m_state[size_t(index)].turnAsked = true;
                wake();
            });
        }
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
    for (const QString& path : destinationsOf(file.dsts.last(), m_target.format))
        m_reserved.remove(reservationKey(path));
    --m_running;
    if (takenMeanwhile(outcome, file.tries)) {
        m_renamed.push_back(index);
    } else {
        file.outcome = outcome;
        if (outcome.result == kConverted && m_hooks.checkOutput) {
            ++m_checking;
            file.check = std::make_unique<CheckRun>(
                [check = m_hooks.checkOutput, dst = checkedFile(file.dsts.last(), m_target.format)] {
                    return check(dst);
                },
                [this, index](const OutputCheck& c) { checked(index, c); });
        }
    }
    wake();
}

void JobsBatch::checked(qsizetype index, const OutputCheck& check)
{
    FileState& file = m_state[size_t(index)];
    file.checked = check;
    --m_checking;
    wake();
}

void JobsBatch::wake()
{
    m_changed = true;
    m_loop.quit();
}

// A file may name its images once every file before it has ended, as it
// would one file after another.
void JobsBatch::grantTurns()
{
    for (qsizetype i = m_logged; i < m_next; ++i) {
        FileState& file = m_state[size_t(i)];
        if (file.turnAsked && !file.turnGranted && file.conversion) {
            file.turnGranted = true;
            file.conversion->grantTurn();
        }
        if (!file.outcome)
            return;
    }
}

void JobsBatch::logWhatIsReady()
{
    while (m_logged < m_files.size()) {
        FileState& file = m_state[size_t(m_logged)];
        if (file.dsts.isEmpty())
            return;
        if (!m_headLogged) {
            logLine(m_hooks, m_files[m_logged]);
            m_headLogged = true;
        }
        for (; file.arrowsLogged < file.dsts.size(); ++file.arrowsLogged)
            logDestinations([this](const QString& text) { logLine(m_hooks, text); },
                            file.dsts[file.arrowsLogged], m_target.format);
        if (!file.done())
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
            hooks.starting(result.converted + result.failed + 1, result.files, src);
        QString dst = destinationFor(src, target, hooks.isTaken);
        line(src);
        logDestinations(line, dst, target.format);
        FileOutcome outcome = convertOne(hooks, src, dst);
        for (int tries = 1; takenMeanwhile(outcome, tries); ++tries) {
            const QString next = destinationFor(src, target, hooks.isTaken);
            if (next != dst)
                logDestinations(line, next, target.format);
            dst = next;
            outcome = convertOne(hooks, src, dst);
        }
        logOutcome(line, outcome, result);
        if (outcome.result == kConverted && hooks.checkOutput)
            log.check(checkedFile(dst, target.format));
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
