// "Kestrune --to-p21 [--out DIR] [--] FILE.sfc...": existing SFC files, of
// this system or of any other program, written again in the formal form.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>

namespace frontend {

// Converts each SFC file named in `args` (the arguments after "--to-p21")
// into a P21 file beside it, or into the folder of "--out DIR": the same
// name with ".p21", made unique as the batch does (plan~1.p21 when
// plan.p21 exists), so that no file is ever replaced; each appears only
// when complete. The drawing's time stamp is the SFC's. Log lines go to
// `out` in UTF-8 as the batch prints them (source, "→ " destination,
// result, reason of a failure, and a summary); a file the writer had to
// leave features out of says how many. Returns 0 when every file was
// converted, 1 when any failed (no such file, not an SFC file, nothing
// could be written), 2 for a malformed command line or no files (usage on
// `err`).
int runToP21(const QStringList& args, std::FILE* out, std::FILE* err);

}  // namespace frontend
