// The header section of a P21 file, as the official reader judges it.
#pragma once

#include "sxf/drawing.h"
#include "sxf/finding_sink.h"
#include "sxf/p21_data.h"

namespace sxf {

// Fills `header` from the header entities of `data`. Returns false, with an
// error finding, where the official reader refuses the whole file: no
// FILE_DESCRIPTION holding exactly a description and a level whose first
// text has at least three words, a SCADEC description without "level1" or
// "level2" or without a mode word, or a FILE_NAME without exactly seven
// texts (one author, one organisation). A description that is not SCADEC's
// is read as level 2, AP202 mode (a warning says so), and so is
// "feature_mode".
bool readP21Header(const P21Data& data, Header& header, FindingSink& findings);

}  // namespace sxf
