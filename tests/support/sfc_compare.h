// Comparing SFC records by their values: what a drawing read back from
// another form must keep, where numbers may differ in their last digits.
#pragma once

#include "sxf/drawing.h"
#include "tests/support/sfc_parser.h"

#include <QByteArrayView>
#include <QStringList>
#include <QStringView>

#include <vector>

namespace testsupport {

// One feature record: its name and arguments.
struct SfcLine {
    QString name;
    std::vector<SfcValue> args;
};

// "name(args)" (the text of a record after "#n = ") as a record; a problem
// when its arguments do not parse.
SfcLine sfcLine(QStringView text, QStringList& problems);
// Every record of a whole SFC text, in file order, of any feature name.
std::vector<SfcLine> sfcLines(QByteArrayView sfc, QStringList& problems);

// The layer names of the layer_feature records among `lines`, layer n at
// n - 1.
QStringList layerNames(const std::vector<SfcLine>& lines);

// What differs between `expected` and `actual`, in words (empty when they
// agree): the name, the argument count, each integer and string exactly,
// each real and list element within `tolerance`. When layer names are
// given, the layer arguments (as the feature's roles say) are compared by
// the names of the layers they number.
QStringList lineDifferences(const SfcLine& expected, const SfcLine& actual, double tolerance,
    const QStringList* expectedLayers = nullptr, const QStringList* actualLayers = nullptr);

// The record as text, for messages.
QString lineText(const SfcLine& line);

// `d` written as a whole SFC file (sxf::writeSfc).
QByteArray sfcText(const sxf::Drawing& d);

}  // namespace testsupport
