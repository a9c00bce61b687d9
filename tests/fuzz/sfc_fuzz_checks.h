// What the SFC reader's fuzz target checks on every input, shared with the
// ordinary test that replays its seeds and the inputs it once found.
#pragma once

#include <QByteArrayView>
#include <QStringList>

namespace fuzzing {

// Reads `bytes` as an SFC file and returns every broken promise: each
// feature, member range and resolved reference points into the drawing, a
// resolved table entry carries the number the feature used, a placement's
// symbol has its name and a fill's curve its number; the findings stay
// within their limit; and the drawing written back reads again into as many
// features, assemblies and table entries of the same kinds.
QStringList checkSfcReader(QByteArrayView bytes);

}  // namespace fuzzing
