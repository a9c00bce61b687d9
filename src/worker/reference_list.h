// The reference list behind the "%%" text codes: Jw_cad's settings file
// names a value file in its "REF_FILE=" line, and that file holds one name
// and value per line, separated by a tab.
#pragma once

#include "worker/text/moji_exp_info.h"

#include <QString>
#include <QStringList>

#include <vector>

namespace worker {

// Jw_cad's settings files that may name the reference file, in the order
// they are tried: "Jw_win.jwf" beside the worker (`exeDir` ends with a
// separator), then in the Jw_cad folder `jwwPath` (joined as it stands, so
// the folder must end with a separator), then the platform's fixed places.
// A blank `jwwPath` adds no candidate: the bare name would be looked up in
// whatever folder the worker was started from.
QStringList JwSettingsCandidates(const QString& exeDir, const QString& jwwPath);

// The reference file name that the first existing file of `candidates`
// names: the text after "REF_FILE=" (also accepted with one or two blanks
// before the "="), trimmed. Empty when no candidate exists, when a line
// starting "END" comes first, when no such line exists, or when the file
// cannot be read. Only the first existing candidate is read.
QString GetRefFileName(const QStringList& candidates);

// The pairs of the value file `refFileName`, in file order. A name without
// a folder is looked up in the folder of the drawing `jwwFileName`, or in
// `exeDir` when there is no drawing. Lines without a tab are skipped; the
// name is the text before the first tab and must start with "%%" and hold
// no blank or control character; the value is the rest of the line without
// its control characters (further tabs included). Returns an empty list for
// an empty name or a missing or unreadable file.
std::vector<text::TStr2List> RefFileOpen(const QString& refFileName, const QString& jwwFileName,
                                         const QString& exeDir);

}  // namespace worker
