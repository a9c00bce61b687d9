// The seed corpus of the fuzz targets, written by the fixture writer: one
// drawing using every part of the format at each version where the format
// changes, the string and count encodings, the demo drawing and empty ones.
#pragma once

#include <QByteArray>
#include <QString>

#include <vector>

namespace fuzzing {

struct Seed {
    QString name;  // a file name ending in ".jww"
    QByteArray bytes;
};

std::vector<Seed> fuzzSeeds();

}  // namespace fuzzing
