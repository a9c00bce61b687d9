// The per-file loop of a batch.
#include "frontend/batch_runner.h"

namespace frontend {

BatchResult runBatch(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks)
{
    const auto log = [&hooks](const QString& line) {
        if (hooks.log)
            hooks.log(line);
    };
    BatchResult result;
    for (const QString& src : files) {
        if (hooks.stopRequested && hooks.stopRequested()) {
            result.stopped = true;
            break;
        }
        // The key is read at this moment, so holding it down stops the batch
        // at the next file even when the window never saw it pressed.
        if (hooks.escapeHeld && hooks.escapeHeld()) {
            log(kEscapeLine);
            result.stopped = true;
            break;
        }
        const QString dst = destinationFor(src, target, hooks.isTaken);
        log(src);
        log(kArrowPrefix + dst);
        const QString r = (dst.isEmpty() || !hooks.convert) ? kFailed : hooks.convert(src, dst);
        log(kResultPrefix + r);
        if (r == kConverted)
            ++result.converted;
        else
            ++result.failed;
    }
    return result;
}

}  // namespace frontend
