// Writing a drawing model back as an SFC file, through the same record
// writers the conversion uses.
#pragma once

#include "sxf/drawing.h"
#include "sxf/sfc_writer.h"

#include <QDateTime>

namespace sxf {

// Writes `d` as a whole SFC file: the header of d.header (with `timeStamp`
// in place of the one read when it is valid), the definition tables
// (layers, colours, line types, widths, fonts, each in its own order), then
// for each assembly in turn its members and its record, the features after
// the last assembly, and the footer. Records are numbered on from
// f.SXFnum; a list is written with the count of the elements it holds.
// A drawing read from this system's output gives back the bytes read.
// Throws SfcWriteError when the device refuses bytes.
void writeSfc(SfcWriter& f, const Drawing& d, const QDateTime& timeStamp = QDateTime());

}  // namespace sxf
