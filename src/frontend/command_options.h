// What the commands without a window ("--batch", "--to-p21") share: their
// lines on standard output and error, and the options and file names they
// check alike.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdio>
#include <optional>

namespace frontend {

// Writes `text` and a line feed to `stream` in UTF-8, at once.
void writeLine(std::FILE* stream, const QString& text);

// Writes "Kestrune: " + `error` as a line, then `usage`, to `err`; returns
// the status of a wrong command line, 2.
int usageError(std::FILE* err, const QString& error, const char* usage);

// Reads the folder after "--out" at args[i] (advancing `i` past it) into
// `folder`: absolute, with native separators, without a separator at the
// end. An error text when there is none, it is blank, or its name is not
// valid UTF-8 (common::isLostArgument: it would name another folder).
std::optional<QString> takeOutFolder(const QStringList& args, qsizetype& i, QString& folder);

// The files of `files` whose names kept their bytes (common::isLostArgument);
// each other one is reported on `err` as skipped.
QStringList filesWithTheirNames(const QStringList& files, std::FILE* err);

// A message of several lines (missingFolderMessage, say) as one line.
QString oneLine(QString message);

}  // namespace frontend
