// The formal delivery form of an SXF drawing: an ISO 10303-21 file of AP202
// instances (".p21"), written from sxf::Drawing the way the official SXF
// library writes one at level 2 in AP202 mode.
#pragma once

#include "sxf/drawing.h"
#include "sxf/findings.h"

#include <QByteArray>
#include <QString>

#include <functional>
#include <string_view>

namespace sxf {

struct P21Options {
    // The FILE_NAME value: the output's name without its folder.
    QString fileName;
    // The header's time stamp as written. Empty: the drawing's own
    // (Header::timeStamp, the SFC's when it was read from one), or, when
    // that is empty too, the local time of writing as "2026-12-10T09:30:00".
    QString timeStamp;
    // FILE_NAME's author, organisation and originating system.
    QString author;
    QString organisation;
    QString originatingSystem = QStringLiteral("Kestrune");
};

// Receives the file's bytes in order, in pieces. It may throw to abandon
// the writing (the exception reaches the caller of writeP21).
using P21Sink = std::function<void(std::string_view bytes)>;

// Writes the P21 text of `drawing` to `sink`: header, the length unit, the
// tables, each composite curve and symbol definition after its members, the
// sheet's members, the sheet and title block, the layers and the lists of
// hidden layers and curves, and the trailer; CR LF line ends, 7-bit ASCII.
// Tables and features refer to each other by their codes (the numbers of
// the SFC records), resolved here; Drawing::*::refs are not needed.
// What the official library would not write is left out, with one warning
// in `findings` (when given) naming the feature: a feature whose codes name
// no table entry, whose values are out of range or not finite, that stands
// in no assembly or in a composite curve it cannot be part of, a placement
// of a symbol not defined before it, a fill whose boundary is not a
// composite curve written before it. Table entries without a code, empty
// layers, symbols and curves are not written. Never fails on bad values.
void writeP21(const Drawing& drawing, const P21Sink& sink, const P21Options& options = {},
              Findings* findings = nullptr);

// The same text as one byte array.
QByteArray writeP21(const Drawing& drawing, const P21Options& options = {}, Findings* findings = nullptr);

}  // namespace sxf
