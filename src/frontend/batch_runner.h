// The conversion of one batch, file after file, with its log lines. Shared by
// the window and the headless batch; everything that touches the user or
// the worker comes in through BatchHooks.
#pragma once

#include "frontend/batch_output.h"
#include "frontend/output_check.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <memory>

namespace frontend {

// Log and result texts, exactly as the log shows them.
inline const QString kConverted = QStringLiteral("変換完了");
inline const QString kFailed = QStringLiteral("変換失敗");
inline const QString kArrowPrefix = QStringLiteral("→ ");
inline const QString kResultPrefix = QStringLiteral("　…… ");
inline const QString kReasonPrefix = QStringLiteral("　　　理由：");
inline const QString kNotePrefix = QStringLiteral("　　　");
inline const QString kEscapeLine = QStringLiteral("[ESC]を押しましたので中断します。");

// The front-end's own reasons, for a file whose worker never started or
// ended without saying why. The worker's reasons come from its error output.
inline const QString kNoFreeNameReason = QStringLiteral("保存先に空いている名前がありません");
inline const QString kWorkerNotStartedReason = QStringLiteral("変換プログラムを起動できません");
inline const QString kWorkerDiedReason = QStringLiteral("変換プログラムが異常終了しました");
// The worker wrote the file, which was gone when the batch looked: the
// output folder, or the file, was removed meanwhile.
inline const QString kOutputGoneReason = QStringLiteral("変換したファイルが保存先から消えました");
// A source that is gone, or is no regular file, never reaches a worker.
inline const QString kNoSourceReason = QStringLiteral("変換元のファイルがありません");
inline const QString kNotRegularSourceReason = QStringLiteral("変換元が通常のファイルではありません");

// What converting one file gave: kConverted or kFailed, and for a failure
// the reason the log shows after it (behind kReasonPrefix). For a converted
// file `reason` is a note, shown after the result behind kNotePrefix, or
// empty.
struct FileOutcome {
    QString result;
    QString reason;
};

// A conversion under way, started by BatchHooks::startConvert. Destroying it
// abandons the conversion (a worker still running is stopped).
class ConversionRun {
public:
    virtual ~ConversionRun() = default;
    // `asked` is called when the conversion waits for its turn to name its
    // image files; it goes on once grantTurn() is called. A conversion that
    // takes no turns never calls it.
    virtual void setTurnHandler(std::function<void()> asked) { (void)asked; }
    virtual void grantTurn() {}
};

struct BatchHooks {
    // Receives each log line as it is made.
    std::function<void(const QString&)> log;
    // Told before each file is logged: its number (1-based), the number of
    // files in the batch and its path.
    std::function<void(int number, int count, const QString& src)> starting;
    // Asked before each file: true stops the batch with kEscapeLine.
    std::function<bool()> escapeHeld;
    // Asked before each file, before escapeHeld: true stops the batch without
    // a line (the window is closing).
    std::function<bool()> stopRequested;
    // Converts one file (RunProc1). `dst` is its destination as
    // destinationFor gives it; destinationsOf gives every file it writes.
    std::function<FileOutcome(const QString& src, const QString& dst)> convert;
    // Starts converting one file without waiting, for a batch that converts
    // several at once (WorkerRun): `done` receives the outcome once, while
    // the event loop runs or before this returns.
    std::function<std::unique_ptr<ConversionRun>(const QString& src, const QString& dst,
                                                 std::function<void(const FileOutcome&)> done)>
        startConvert;
    // Whether a destination name is in use; empty means common::NameTaken.
    std::function<bool(const QString& path)> isTaken;
    // Checks a converted file; empty means "no check". Called on a thread
    // of its own (CheckRun), so it must not touch the caller's objects.
    std::function<OutputCheck(const QString& dst)> checkOutput;
};

struct BatchResult {
    int files = 0;  // in the batch, tried or not
    int converted = 0;
    int failed = 0;
    bool stopped = false;  // by Escape or a stop request, before every file was tried
    int checkErrors = 0;   // converted files whose check found an error
};

// The batch's last log line: "N件中M件を変換しました", followed in brackets by
// "失敗K件" when any failed and "検査でエラーのあるファイルL件" when checks
// found errors, joined by "・".
QString batchSummary(const BatchResult& result);

// Converts `files` in order into `target`. For each file: the source path,
// "→ " + destination for each file it writes (destinationsOf) and
// "　…… " + result, for a converted file the checkLogLine when
// `checkOutput` is set (the check reads the first file the conversion
// writes, on its own thread while the next file converts; its line still
// follows its file's result), and for a failed file "　　　理由：" + the
// reason when there is one. A file without a free destination name is
// logged with an empty destination, kFailed and kNoFreeNameReason, and
// `convert` is not called for it. A conversion that fails because a name it
// was to write was taken after it was chosen
// (common::kDestinationExistsReason: another batch into the same folder) is
// tried again under the then next free name, logged as one more "→ " line
// when the name changed, up to 100 tries; the file written under the last
// name is checked. The batch ends with the batchSummary line, also when
// Escape stopped it, but not after a stop
// request. Hooks left empty count as "no", and a missing `convert` fails
// every file.
BatchResult runBatch(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks);

// The same batch with up to `jobs` files converting at once through
// `startConvert`, waiting in a local event loop; a file starts only while
// fewer than `jobs` conversions and fewer than `jobs` checks run. The log,
// the names and the result are those runBatch gives when every conversion and
// check has the same outcome: each file's lines come together and in the
// order of `files` (its source and destinations as soon as its name is
// chosen, the rest when it and every file before it have ended), and names
// are chosen in that order. When the search for a file's name meets a name
// that a running conversion writes to (compared without regard to case), the
// file, and every file after it, waits until that conversion has ended:
// whether the name stays taken depends on its outcome. A conversion that
// asks for its turn to name its image files gets it once every file before
// it has ended. A file tried again (see runBatch) comes before any file not
// yet started, and its extra "→ " lines come with its other lines.
// `starting`, `escapeHeld`, `stopRequested` and `convert` are not used; a
// missing `startConvert` fails every file. A `jobs` below 1 counts as 1.
BatchResult runBatchJobs(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks, int jobs);

}  // namespace frontend
