// The batch without a window: "Kestrune --batch [--out DIR | --beside]
// [--format sfc|p21|both] [--jobs N] [--no-check] [--] FILE...". It
// converts like the window does, with the saved settings, and writes the
// log lines to standard output.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace frontend {

// Exit statuses of the headless batch.
inline constexpr int kExitAllConverted = 0;
inline constexpr int kExitSomeFailed = 1;
inline constexpr int kExitUsage = 2;

// The number of workers a headless batch runs at once without "--jobs": the
// number of processor cores, at least 1.
int defaultJobs();

// Runs the batch for `args` (the arguments after "--batch") as the program
// at `programPath` (its worker is beside it, its settings file where
// common::fileLocations puts it for that folder). The saved
// output choice applies unless "--out DIR" (that folder) or "--beside"
// (beside each source) overrides it for this run; an override is not saved.
// "--format" likewise overrides the saved output format (line 20): SFC,
// P21, or both under one name.
// "--jobs N" converts up to N files at once (default: defaultJobs()); the
// log, the names and the status are those of one file after another. Each
// converted file is checked, with its check line in the log, when the saved
// settings ask for it and "--no-check" is not given; the exit status does
// not depend on what the checks find.
// Log lines go to `out` in UTF-8, one per line; messages go to `err`.
// Returns kExitAllConverted when every file named was converted,
// kExitSomeFailed when any was skipped (not an existing ".jww" file) or
// failed, or the output folder is missing, and kExitUsage for a malformed
// command line (a "--jobs" that is not a whole number of at least 1
// included), no files, or a saved choice that asks for the folder.
int runHeadlessBatch(const QStringList& args, const QString& programPath, std::FILE* out, std::FILE* err);

}  // namespace frontend
