// Reading the batch log back: which converted file a log line names.
#pragma once

#include <QString>
#include <QStringList>

namespace frontend {

// The destination of the file whose log lines include `row` of `log`, when
// that row is its "→ " line or its "　…… 変換完了" line; empty for any
// other line (a source, a failure, a reason, the summary) and for a row out
// of range.
QString destinationOfLogLine(const QStringList& log, int row);

}  // namespace frontend
