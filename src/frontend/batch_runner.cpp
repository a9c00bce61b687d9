// The per-file loop of a batch.
#include "frontend/batch_runner.h"

namespace frontend {

QString batchSummary(const BatchResult& result)
{
    QString line = QStringLiteral("%1件中%2件を変換しました").arg(result.files).arg(result.converted);
    if (result.failed > 0)
        line += QStringLiteral("（失敗%1件）").arg(result.failed);
    return line;
}

BatchResult runBatch(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks)
{
    const auto log = [&hooks](const QString& line) {
        if (hooks.log)
            hooks.log(line);
    };
    BatchResult result;
    result.files = int(files.size());
    for (const QString& src : files) {
        if (hooks.stopRequested && hooks.stopRequested()) {
            // The window is closing: nobody reads a summary any more.
            result.stopped = true;
            return result;
        }
        // The key is read at this moment, so holding it down stops the batch
        // at the next file even when the window never saw it pressed.
        if (hooks.escapeHeld && hooks.escapeHeld()) {
            log(kEscapeLine);
            result.stopped = true;
            break;
        }
        if (hooks.starting)
            hooks.starting(result.converted + result.failed + 1, result.files, src);
        const QString dst = destinationFor(src, target, hooks.isTaken);
        log(src);
        log(kArrowPrefix + dst);
        FileOutcome outcome;
        if (dst.isEmpty())
            outcome = {kFailed, kNoFreeNameReason};
        else if (!hooks.convert)
            outcome = {kFailed, kWorkerNotStartedReason};
        else
            outcome = hooks.convert(src, dst);
        log(kResultPrefix + outcome.result);
        if (outcome.result == kConverted) {
            ++result.converted;
            continue;
        }
        ++result.failed;
        if (!outcome.reason.isEmpty())
            log(kReasonPrefix + outcome.reason);
    }
    log(batchSummary(result));
    return result;
}

}  // namespace frontend
