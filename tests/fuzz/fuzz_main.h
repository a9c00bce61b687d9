// What both fuzz targets share: the Qt application the worker's code expects,
// a temporary folder for the run, and how a broken promise ends the run.
#pragma once

#include <QString>
#include <QStringList>

namespace fuzzing {

// Creates the application object once and a temporary folder that lives until
// the fuzzer exits; returns the folder, ending with the path separator.
QString startFuzzing(int* argc, char*** argv);

// Aborts with the problems on standard error when there are any, so that
// libFuzzer keeps the input as a crash.
void failOn(const QStringList& problems);

}  // namespace fuzzing
