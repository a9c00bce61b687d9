// What this system writes for the drawings its tests use: the fixture
// drawings (fuzz seeds and benchmark shapes) and the sample drawings,
// converted in memory.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace sxftest {

struct Output {
    QString name;
    QByteArray bytes;
    bool shape;  // a synthetic benchmark shape rather than a drawing or a fuzz seed
};

// The outputs of the fuzz seeds (a rich drawing at every version where the
// format changes, the string and count encodings, empty drawings, the demo)
// and of the benchmark shapes at a small size.
std::vector<Output> fixtureOutputs();

// The outputs of the sample drawings; empty when the samples are absent
// (which fails the calling test when CI is set).
std::vector<Output> sampleOutputs();

}  // namespace sxftest
