// The seed corpus of the fuzz targets, written by the fixture writer: one
// drawing using every part of the format at each version where the format
// changes, the string and count encodings, the demo drawing and empty ones;
// and for the SFC reader the outputs of those drawings and files in the
// spellings and kinds of other programs.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace fuzzing {

struct Seed {
    QString name;  // a file name ending in ".jww" or ".sfc"
    QByteArray bytes;
};

// The drawings.
std::vector<Seed> fuzzSeeds();
// What the worker writes for each drawing of fuzzSeeds() that reads.
std::vector<Seed> seedOutputs();
// The SFC files: seedOutputs(), the richest of them with LF line ends and
// its records wrapped at 80 columns, a file with the kinds only other
// programs write and one with every annotation kind.
std::vector<Seed> sfcSeeds();

}  // namespace fuzzing
