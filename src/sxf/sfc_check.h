// Reading and checking an SFC file in one step: what the reader finds wrong
// with the record form and the references, and what the rules find in the
// drawing it read. This is what checking programs report on a file.
#pragma once

#include "sxf/rule_check.h"
#include "sxf/sfc_reader.h"

#include <QByteArrayView>

namespace sxf {

// The reader's findings `readerFindings` of `drawing` and those of check()
// on it, in line order (on one line the reader's first). For a drawing
// already read, such as one shown on screen.
Findings checkRead(const Drawing& drawing, const Findings& readerFindings, const CheckOptions& options = {});

// checkRead of the drawing and findings of `read`.
Findings checkRead(const ReadResult& read, const CheckOptions& options = {});

// Reads `bytes` with readSfc and returns checkRead of the result. Never
// fails: any bytes give the findings that say what is wrong with them.
Findings checkSfc(QByteArrayView bytes, const CheckOptions& options = {});

}  // namespace sxf
