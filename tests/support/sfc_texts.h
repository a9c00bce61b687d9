// SFC files written out as text for the reader's tests and fuzz seeds.
#pragma once

#include <QByteArray>
#include <QList>

namespace testsupport {

// A whole file in this system's frame (header for plan.sfc, footer) whose
// records are `featureLines`, each given without its "#n = ", numbered 10,
// 20, ... in order.
QByteArray framedSfc(const QList<QByteArray>& featureLines);

// A file as another program may write it, with one record of each kind this
// system never writes (spline inside a composite curve, clothoid, external
// symbol, hatching with two patterns, tiles, title block) over a few
// definitions, closed by a sheet.
QByteArray otherKindsSfc();

// A file as this system writes it with one record of each annotation kind
// (linear, curve, angular, radius and diameter dimensions, label, balloon)
// and an elliptic arc, over one definition of each table, closed by a sheet.
QByteArray annotationKindsSfc();

}  // namespace testsupport
