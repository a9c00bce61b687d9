// What the fuzz targets check on every input, shared with the ordinary test
// that replays the inputs the fuzzer once found: each check runs one input
// through a stage of the worker and returns what broke a promise the code
// makes (empty when every promise held).
#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

namespace fuzzing {

// Reads `bytes` as FileIn does after loading a file, extracting embedded
// images into `imageFolder` (an existing, empty folder ending with the path
// separator), then inflates them, sets the pen widths and deletes what was
// extracted. Checks that every order is as long as its declared count, that a
// successful read filled every order slot with an entity that exists, that
// the insert tree is well formed and that nothing stays in the folder.
QStringList checkReader(QByteArrayView bytes, const QString& imageFolder);

// Converts `bytes` the way the worker's main does: the bytes become a
// drawing file in `workDir`, the worker runs with `exeDir` as its program
// folder (holding its settings file and nothing else), and the output is
// removed afterwards. Checks that the exit status says whether the output was
// written, that a drawing which reads is converted, that a written file has a
// sound frame and references, and that the run leaves nothing behind in
// either folder but the image files that the output's image symbols name.
// Both folders must exist and end with the path separator.
QStringList checkConversion(QByteArrayView bytes, const QString& exeDir, const QString& workDir);

// Writes the settings file the worker needs into `exeDir`; false on failure.
bool prepareWorkerFolder(const QString& exeDir);

}  // namespace fuzzing
