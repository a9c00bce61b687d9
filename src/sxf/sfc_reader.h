// Reading an SFC file, from this system or from any other program, into
// the drawing model.
#pragma once

#include "sxf/drawing.h"
#include "sxf/findings.h"

#include <QByteArrayView>

namespace sxf {

struct ReadResult {
    Drawing drawing;
    Findings findings;
};

// Reads the bytes of an SFC file. Never fails and never throws: any bytes
// give a drawing (empty when nothing could be read) and the findings that
// say what was wrong, sorted by line, at most about 10,000 of them.
//
// The file is read as code page 932 text with CR LF or LF line ends. A
// record runs from "/*SXF" to "SXF*/"; its lines are joined without their
// line ends, and blanks may stand between its tokens. A string ends at the
// first backslash-apostrophe, byte for byte. Reals may have any number of
// decimals and an exponent; an integer field takes a whole real.
//
// A record whose arguments cannot all be read is left out of the drawing,
// except an assembly record (sheet, symbol definition, composite curve),
// which is kept with the values read so that it still closes the features
// before it. A list that holds another number of elements than its count
// says is kept as read. Every table number a feature uses is resolved to
// the entry it names (Drawing's TableRefs, SymbolPlacementFeature::symbol,
// FillBoundary's curves); the members of a composite curve are resolved
// but their unresolved numbers not reported, since their own layer and
// style are not used.
//
// Finding codes. Faults of the record form (all errors but SFC_ENCODING,
// a warning):
//   SFC_HEADER          the header is missing, unreadable or incomplete
//   SFC_RECORD          a line outside any record, a record without
//                       "SXF*/", or a record that is not "#n = name(...)"
//   SFC_UNKNOWN_FEATURE a record of a name that no SXF feature has
//   SFC_ARGUMENTS       a wrong number of arguments, or one that is not of
//                       the kind the field needs
//   SFC_STRING          a string without its closing backslash-apostrophe
//   SFC_LIST_COUNT      a list of points, pitches or holes that holds
//                       another number of elements than its count says
//   SFC_ENCODING        a string with bytes that begin no code page 932
//                       character, or a UTF-8 byte-order mark
//   SFC_FOOTER          "ENDSEC;" or "END-ISO-10303-21;" missing at the
//                       end, or text after them
//   SFC_MORE_FINDINGS   the findings left out beyond the limit
// References that resolve to nothing (errors, with the SXF library's codes):
//   SXFEUNSETLAYER      layer number
//   SXFERRORCOLOUR      colour number
//   SXFERRORFONT        line-type number
//   SXFERRORWIDTH       width number
//   SXFTEXTFONTERROR    text font number
//   SXFNOTSETCFIG       a placement's symbol not defined before it (also
//                       when only a later definition exists; the placement
//                       then refers to that one)
//   SXFERROROUTID       a fill's outer composite curve not closed before it
//   SXFERRORINID        a fill's hole composite curve not closed before it
ReadResult readSfc(QByteArrayView bytes);

}  // namespace sxf
