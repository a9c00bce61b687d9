// Reading an SXF file in either form: the feature-comment form (.sfc) or
// the formal delivery form (.p21), told apart by what the file holds. The
// one entry point for whatever opens SXF files (the preview, the check,
// the tools).
#pragma once

#include "sxf/sfc_reader.h"

#include <QByteArrayView>
#include <QString>
#include <QStringView>

#include <cstdint>

namespace sxf {

enum class SxfForm : uint8_t { Sfc, P21 };

// The form of `bytes`: P21 when the first thing in its data section is an
// instance ("#n="), SFC when it is a feature comment ("/*SXF"). When the
// data section does not say (there is none, or it is empty), P21 when
// `fileName` ends in ".p21" (in any case), else SFC, whose reader says what
// is wrong with a file that is neither.
SxfForm sxfFormOf(QByteArrayView bytes, QStringView fileName = {});

// Reads `bytes` with the reader of their form (readSfc or readP21), and
// stores the form in `form` when given.
ReadResult readSxf(QByteArrayView bytes, QStringView fileName = {}, SxfForm* form = nullptr);

// Reads the file at `path` with the reader of its form, its bytes mapped
// rather than copied where the system allows. A file that cannot be opened
// (a folder or a FIFO is not: it would never end) or read gives an empty drawing and one error finding (SXF_FILE) that says
// so (and leaves `form` as it is).
ReadResult readSxfFile(const QString& path, SxfForm* form = nullptr);

}  // namespace sxf
