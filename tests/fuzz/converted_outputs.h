// The SFC files this system writes for the fixture drawings and for the
// sample drawings, converted in memory: what the round-trip tests read.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace testsupport {

struct ConvertedOutput {
    QString name;
    QByteArray bytes;
    bool shape = false;  // a synthetic benchmark shape rather than a drawing or a fuzz seed
};

// The outputs of the fuzz seeds (a rich drawing at every version where the
// format changes, the string and count encodings, empty drawings, the demo)
// and of the benchmark shapes at a small size: fuzzSeeds().size() + 4 of
// them, fewer when a seed does not read.
std::vector<ConvertedOutput> fixtureOutputs();
// The outputs of the sample drawings beside the checkout, one per drawing
// that reads.
std::vector<ConvertedOutput> sampleOutputs();

}  // namespace testsupport
