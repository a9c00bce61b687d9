// Checking an SXF file the way clients' checking programs do, and the
// texts the batch log and "Kestrune --check" show for what was found.
#pragma once

#include "frontend/thread_run.h"
#include "sxf/findings.h"

#include <QString>

namespace frontend {

// The beginning of the check line of the batch log.
inline const QString kCheckPrefix = QStringLiteral("　　　検査：");

// What the check of one file found, as the batch log reports it.
struct OutputCheck {
    int errors = 0;
    int warnings = 0;
    QString first;  // findingText of the first error, or of the first warning without errors
};

// Reads the file at `path`, an SXF file of either form (sxf::readSxf tells
// them apart by their content), and checks it (sxf::checkRead). A file that
// cannot be opened or read gives one error, SFC_CANNOT_READ. Safe to call
// from any thread.
sxf::Findings checkSxfFile(const QString& path);

// The summary of checkSxfFile(path), for the batch log.
OutputCheck checkWrittenFile(const QString& path);

// The counts and the first finding of `findings`.
OutputCheck summarise(const sxf::Findings& findings);

// A finding in one line: code, "#n" and "n行目" where they apply, and the
// description, e.g. "SXFERRORCOLOUR #80 230行目 色コード5は定義されていません".
QString findingText(const sxf::Finding& finding);

// The log line after a converted file: "　　　検査：問題なし" or
// "　　　検査：エラーN件・警告M件（最初：…）".
QString checkLogLine(const OutputCheck& check);

// A check on a thread of its own: the window stays responsive and other
// conversions go on meanwhile.
using CheckRun = ThreadRun<OutputCheck>;

}  // namespace frontend
