// "Kestrune --render FILE OUT.png [--width PIXELS]" and "Kestrune --render
// FILE OUT.pdf": a picture of an SXF file (.sfc or .p21) without a window.
#pragma once

#include <QStringList>

#include <cstdio>

namespace frontend {

inline constexpr int kRenderWritten = 0;
inline constexpr int kRenderFailed = 1;
inline constexpr int kRenderUsage = 2;

// Runs the command for `args` (the arguments after "--render"): reads FILE
// and writes OUT as PNG (`--width` pixels wide, default 2400) or, for a
// name ending in ".pdf", as PDF with the sheet at 1:1 in millimetres, with
// the layers the file shows. Never replaces an existing OUT. Needs a
// QGuiApplication. Returns kRenderWritten when OUT was written,
// kRenderFailed with one line on `err` saying why when it was not (FILE
// unreadable, OUT exists or cannot be written), and kRenderUsage with the
// usage on `err` for a wrong command line (a missing or extra name, an
// OUT that is neither .png nor .pdf, a width that is not a whole number
// from 1 to 30000).
int runRender(const QStringList& args, std::FILE* err);

}  // namespace frontend
