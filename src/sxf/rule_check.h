// The rules that checking programs built on the official SXF library apply
// to a drawing: value ranges, table limits, names, geometry, text, sheet,
// symbol and composite-curve rules, each reported with its official code.
#pragma once

#include "sxf/drawing.h"
#include "sxf/findings.h"

namespace sxf {

// Tolerances of the reading program the check stands in for.
struct CheckOptions {
    double lengthTolerance = 1e-6;  // millimetres: shorter lines are zero-length
    double angleTolerance = 1e-6;   // degrees: closer start and end angles are equal
};

// The findings of the rules on `drawing`, ordered by line (findings of the
// whole file, line 0, first; the order of the rules within a line), at most
// about 10,000 of them (then one SFC_MORE_FINDINGS says how many more).
// Each finding carries the feature number and line of the record it is
// about, taken from the item's Origin.
//
// The references that the reader resolves are not checked again: an
// undefined layer, colour, line type, width or font number, a placement of
// an undefined symbol and a fill boundary naming no composite curve are the
// reader's findings. Everything else is taken from the drawing as it
// stands, so a drawing made in memory is checked the same way (its findings
// then carry number and line 0). Never fails: values out of every range,
// empty tables and member ranges past the features are findings or are
// ignored, never a crash.
Findings check(const Drawing& drawing, const CheckOptions& options = {});

}  // namespace sxf
