// The SFC files this system writes for the fixture drawings and the sample
// drawings, converted in memory, for tests that read them back.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace sxftest {

struct SystemOutput {
    QString name;
    QByteArray bytes;
};

// The outputs of the fuzz seeds (a rich drawing at every version where the
// format changes, the string and count encodings, empty drawings, the demo)
// and of the benchmark shapes at a small size. A seed that does not read
// fails the calling test.
std::vector<SystemOutput> fixtureOutputs();

// The output of every sample drawing; empty when the samples are absent.
// A sample that does not read fails the calling test.
std::vector<SystemOutput> sampleOutputs();

}  // namespace sxftest
