// File-system operations that never throw and report failure by their result.
#pragma once

#include <QDateTime>
#include <QString>

namespace common {

// False for an empty path; true only for an existing file (not a folder).
bool FileExistsSafe(const QString& path);
// False for an empty path; true only for an existing folder.
bool DirExistsSafe(const QString& path);
// Creates the folder and every missing parent; false on any error or an
// empty path.
bool ForceDirsSafe(const QString& path);
// Deletes the file; false on any error or an empty path.
bool DeleteFileSafe(const QString& path);
// Removes the folder only when it is empty; false otherwise or on any error.
bool RemoveDirSafe(const QString& path);
// Copies `source` to `destination` in blocks, then gives the destination the
// source's access and write times (and creation time where the platform can
// set it). Returns false on any error; a destination created by a failed
// copy is deleted again.
bool CopyFileKeepTimes(const QString& source, const QString& destination);
// `path` itself when no file exists there; otherwise the first free name of
// base + "~" + i + extension (i = 1 .. 99999; base is the path without its
// extension, extension as ExtractExtLower gives it). Returns the empty text
// when every one of those names is taken: callers must never be handed an
// existing file.
QString UniqueFileName(const QString& path);
// The date-time that stands for "no date": day 0, 1899-12-30 00:00.
QDateTime ZeroDateTime();
// Last-write time of the file in local time; ZeroDateTime() when the file
// does not exist or its times cannot be read.
QDateTime FileWriteTime(const QString& path);

}  // namespace common
