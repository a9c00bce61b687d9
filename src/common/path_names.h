// Path text functions that never fail: "/" separates names, and on Windows
// "\" does too; the platform's own separator is used when one is added.
// Invalid paths give the empty text.
#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

namespace common {

// "\" on Windows, "/" elsewhere.
QChar PathDelimChar();
// True when the path contains a character that file names cannot hold: NUL
// everywhere; on Windows also every other control character and < > " |.
bool IsInvalidPath(QStringView path);
// `path` with the separator appended unless it already ends with one (on
// Windows "\" or "/", elsewhere "/"); the empty text gives the lone separator.
QString IncludeDelim(QStringView path);
// The non-empty runs between separators, in order.
QStringList SplitPath(QStringView path);
// The folder part up to and including the last separator; empty for a bare
// name, a blank path or an invalid one.
QString ExtractDir(QStringView path);
// The part after the last separator; empty for a blank or invalid path.
QString ExtractName(QStringView path);
// The text from the last "." of the name part, dot included, lower-cased;
// empty when there is none or the path is empty or invalid.
QString ExtractExtLower(QStringView path);
// `path` with its extension replaced by `ext` (which carries its dot; empty
// removes the extension); empty when the path is empty or invalid.
QString ReplaceExt(QStringView path, QStringView ext);

}  // namespace common
