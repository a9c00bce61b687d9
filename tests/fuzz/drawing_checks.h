// What every reader promises of the drawing model it returns, whatever the
// bytes: every reference an index that exists, every feature in exactly one
// place of the file's order, every assembly's members a run of that order.
#pragma once

#include "sxf/drawing.h"

#include <QStringList>

namespace fuzzing {

// The broken promises of `d`, in words; empty when every one holds.
QStringList checkDrawingModel(const sxf::Drawing& d);

}  // namespace fuzzing
