// The header section of an SFC file: FILE_DESCRIPTION, FILE_NAME and
// FILE_SCHEMA between "HEADER;" and "ENDSEC;".
#pragma once

#include "sxf/drawing.h"
#include "sxf/finding_sink.h"

#include <string_view>
#include <vector>

namespace sxf {

// The header's lines, from the first line of the file up to the one before
// "DATA;".
struct HeaderLines {
    std::string_view text;  // the lines joined without their line ends
    std::vector<int32_t> lineStarts;  // where each line begins in `text`
};

// Fills `header` from `lines`. Statements may be spread over lines and
// blanks stand between tokens. A string ends at an apostrophe that is
// followed by a comma, a parenthesis or a semicolon, so that a file name
// with an apostrophe of its own reads whole; "\X2\" runs are decoded.
// Reports SFC_HEADER for a file that does not begin with "ISO-10303-21;",
// a missing "HEADER;" or "ENDSEC;", a statement that cannot be read, and a
// FILE_DESCRIPTION, FILE_NAME or FILE_SCHEMA that is missing or has another
// number of values; what can be read is kept.
void readSfcHeader(const HeaderLines& lines, Header& header, FindingSink& findings);

// `text` with every "\X2\" run of four-digit hexadecimal UTF-16 codes up to
// "\X0\" replaced by those characters; a malformed run is kept as written.
QString decodeX2(const QString& text);

}  // namespace sxf
