// Log lines read back.
#include "frontend/log_lines.h"

#include "frontend/batch_runner.h"

namespace frontend {

QString destinationOfLogLine(const QStringList& log, int row)
{
    if (row < 0 || row >= log.size())
        return {};
    const QString& line = log[row];
    if (line.startsWith(kArrowPrefix))
        return line.mid(kArrowPrefix.size());
    // A result line follows its file's "→ " line directly.
    if (line == kResultPrefix + kConverted && row > 0 && log[row - 1].startsWith(kArrowPrefix))
        return log[row - 1].mid(kArrowPrefix.size());
    return {};
}

}  // namespace frontend
