// Checking an SXF file the way clients' checking programs do, and the
// texts the batch log and "Kestrune --check" show for what was found.
#pragma once

#include "sxf/findings.h"

#include <QString>

#include <functional>
#include <memory>

class QThread;

namespace frontend {

// The beginning of the check line of the batch log.
inline const QString kCheckPrefix = QStringLiteral("　　　検査：");

// What the check of one file found, as the batch log reports it.
struct OutputCheck {
    int errors = 0;
    int warnings = 0;
    QString first;  // findingText of the first error, or of the first warning without errors
};

// Reads the file at `path` and checks it (sxf::checkSfc). A file that cannot
// be opened or read gives one error, SFC_CANNOT_READ. Safe to call from any
// thread.
sxf::Findings checkSfcFile(const QString& path);

// The summary of checkSfcFile(path), for the batch log.
OutputCheck checkWrittenFile(const QString& path);

// The counts and the first finding of `findings`.
OutputCheck summarise(const sxf::Findings& findings);

// A finding in one line: code, "#n" and "n行目" where they apply, and the
// description, e.g. "SXFERRORCOLOUR #80 230行目 色コード5は定義されていません".
QString findingText(const sxf::Finding& finding);

// The log line after a converted file: "　　　検査：問題なし" or
// "　　　検査：エラーN件・警告M件（最初：…）".
QString checkLogLine(const OutputCheck& check);

// Runs a check on a thread of its own, so that the window stays responsive
// and other conversions go on meanwhile. `done` receives the result once,
// in the thread that made the CheckRun, while its event loop runs.
class CheckRun {
public:
    using Done = std::function<void(const OutputCheck&)>;

    CheckRun(std::function<OutputCheck()> work, Done done);
    // Waits for a check still running; `done` is not called any more.
    ~CheckRun();

    CheckRun(const CheckRun&) = delete;
    CheckRun& operator=(const CheckRun&) = delete;

private:
    struct State;
    std::unique_ptr<State> m_state;
};

}  // namespace frontend
