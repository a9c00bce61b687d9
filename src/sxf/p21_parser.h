// The syntax of ISO 10303-21 exchange files (P21): the header entities and
// the instances of the data section, parsed into P21Data.
#pragma once

#include "sxf/finding_sink.h"
#include "sxf/p21_data.h"

#include <QByteArrayView>

namespace sxf {

// How deep lists and typed values may nest inside one record: AP202 needs
// three levels; anything deeper is refused as broken, never followed.
constexpr int kP21MaxNesting = 32;

// Parses `bytes`. The data's `started` says whether the file begins with
// "ISO-10303-21;" (a UTF-8 byte order mark and blanks before it allowed);
// when it does not, nothing else is read. Comments and line ends are
// skipped outside strings. Statements that are not instances (HEADER;,
// DATA;, ENDSEC;) are passed over, and reading ends at
// "END-ISO-10303-21;". An instance that breaks the syntax gives an error
// finding with its line and number and is skipped up to the ";" that ends
// it; the instances around it are kept. Instances numbered 0 or below are
// skipped silently. Never throws; memory stays in proportion to the size of
// the file, and files of 2 GB or more are refused with a finding.
P21Data parseP21(QByteArrayView bytes, FindingSink& findings);

}  // namespace sxf
