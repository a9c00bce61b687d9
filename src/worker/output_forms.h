// The forms one worker run writes: the SFC file, the P21 file, or both, the
// P21 always written from the SFC of the same run read back.
#pragma once

#include "sxf/drawing.h"
#include "sxf/sfc_file.h"

#include <QString>
#include <QStringList>

#include <optional>

namespace worker {

// The destinations of one run; a form not asked for has an empty path.
struct Destinations {
    QString sfc;
    QString p21;
};

// The destinations named on the command line after the source: one or
// two paths; one ending in ".p21" (in any case) gets P21, any other SFC.
// Nothing for no path, more than two, or two of the same form.
std::optional<Destinations> parseDestinations(const QStringList& paths);

// Writes `drawing` as P21 to `fn`, which appears only complete and never
// in place of a file (see sxf::writeSfcFile). FILE_NAME is the name of
// `fn`; the time stamp the drawing's own. `leftOut` receives the number of
// features the writer left out.
sxf::SfcFileResult writeP21File(const QString& fn, const sxf::Drawing& drawing, int& leftOut);

}  // namespace worker
