// The conversion of one batch, file after file, with its log lines. Shared by
// the window and the headless batch; everything that touches the user or
// the worker comes in through BatchHooks.
#pragma once

#include "frontend/batch_output.h"

#include <QString>
#include <QStringList>

#include <functional>

namespace frontend {

// Log and result texts, exactly as the log shows them.
inline const QString kConverted = QStringLiteral("変換完了");
inline const QString kFailed = QStringLiteral("変換失敗");
inline const QString kArrowPrefix = QStringLiteral("→ ");
inline const QString kResultPrefix = QStringLiteral("　…… ");
inline const QString kEscapeLine = QStringLiteral("[ESC]を押しましたので中断します。");

struct BatchHooks {
    // Receives each log line as it is made.
    std::function<void(const QString&)> log;
    // Asked before each file: true stops the batch with kEscapeLine.
    std::function<bool()> escapeHeld;
    // Asked before each file, before escapeHeld: true stops the batch without
    // a line (the window is closing).
    std::function<bool()> stopRequested;
    // Converts one file and returns kConverted or kFailed (RunProc1).
    std::function<QString(const QString& src, const QString& dst)> convert;
    // Whether a destination name is in use; empty means "a file exists there".
    std::function<bool(const QString& path)> isTaken;
};

struct BatchResult {
    int converted = 0;
    int failed = 0;
    bool stopped = false;  // by Escape or a stop request, before every file was tried
};

// Converts `files` in order into `target`. For each file: the source path,
// "→ " + destination and "　…… " + result. A file without a free destination
// name is logged with an empty destination and kFailed, and `convert` is not
// called for it. Hooks left empty count as "no", and a missing `convert`
// fails every file.
BatchResult runBatch(const QStringList& files, const OutputTarget& target, const BatchHooks& hooks);

}  // namespace frontend
