// Reading SXF P21 files (ISO 10303-21 with AP202 instances) into the model.
#pragma once

#include "sxf/sfc_reader.h"

#include <QByteArrayView>

namespace sxf {

// Reads the bytes of a P21 file as the official SXF reader does: the header
// (a SCADEC description of level 1 or 2, seven FILE_NAME texts), the
// tables, the composite curves, the symbol definitions and the sheet with
// its features. Where the official reader refuses the whole file (no
// ISO-10303-21 start, a header it rejects, no instance at all, symbol
// definitions without a sheet, a placement of a definition it could not
// register, a broken item list) the drawing is empty and an error finding
// says why. Anything smaller gives a finding and leaves out only what it
// concerns: a broken instance, an item of an unknown kind, a feature whose
// instances do not fit together; a feature that refers to no layer,
// colour, line type, width or font is kept with 0 for it. Codes are the
// official ones (SXFSAMENAME, SXFEUNSETLAYER, ...) where the library has
// one, else P21_... Never throws, never recurses as deep as the file
// nests, and keeps its memory in proportion to the size of the file.
ReadResult readP21(QByteArrayView bytes);

}  // namespace sxf
