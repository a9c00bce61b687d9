// The form a P21 file must have for the official SXF reader to read it as
// written: what the reader itself reports, and the layout rules it relies
// on without reporting them.
#pragma once

#include "sxf/findings.h"

#include <QByteArrayView>

namespace sxf {

// The findings of readP21 (header, syntax, numbers used twice, entities
// and attribute counts the schema does not know, references to nothing,
// items in two layers, the title block's order, ...) and, as warnings:
//   P21_RECORD_ORDER       the parts of a complex instance not in
//                          alphabetical order (the order the writer keeps)
//   P21_LAYOUT             a symbol placement whose styled item is not the
//                          7 parts the reader counts on (the second
//                          ANNOTATION_SUBFIGURE_OCCURRENCE, the last
//                          STYLED_ITEM), or whose symbol is not the 4 parts
//                          with MAPPED_ITEM third
//   P21_LINE_BREAK         a string broken over lines, or a part of a
//                          complex instance that does not begin a line (the
//                          official reader joins lines and splits parts
//                          without separators)
//   P21_COMMENT_IN_STRING  "/*" inside a string, which the official reader
//                          cuts out as a comment
// Empty for a file this system writes.
Findings checkP21Form(QByteArrayView bytes);

}  // namespace sxf
