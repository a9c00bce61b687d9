// What the P21 reader's fuzz target checks on every input, and its seeds:
// the P21 files this system writes for the fixture drawings, and the
// hand-written drawings of the reader's tests.
#pragma once

#include "tests/fuzz/fuzz_corpus_start.h"

#include <QByteArrayView>
#include <QStringList>

#include <vector>

namespace fuzzing {

// Reads `bytes` as a P21 file and checks that the drawing keeps the
// model's promises (checkDrawingModel), that a file refused whole gives an
// empty drawing with an error finding first, and that the drawing written
// as SFC and as P21 reads again into drawings that keep those promises, the
// P21 without a syntax finding.
QStringList checkP21Reader(QByteArrayView bytes);

// Seeds ending in ".p21": this system's P21 files of the drawings of
// seedOutputs(), and the hand-written drawings of the reader's tests.
std::vector<Seed> p21FuzzSeeds();

}  // namespace fuzzing
