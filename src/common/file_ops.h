// File-system operations that never throw and report failure by their result.
// A blank path, or one with a character that file names cannot hold (see
// IsInvalidPath), fails every one of them without touching the file system.
#pragma once

#include <QDateTime>
#include <QFile>
#include <QString>

#include <functional>

namespace common {

// True only for an existing regular file, links followed: not a folder, and
// not a FIFO, socket or device, which would block or never end when read.
bool FileExistsSafe(const QString& path);
// True when anything at all has the name `path`: a file, a folder, a device,
// or a link, one that leads nowhere included (creating a file there would
// fail, or write where the link points). False for an unusable path.
bool NameTaken(const QString& path);
// True only for an existing folder.
bool DirExistsSafe(const QString& path);
// Creates the folder and every missing parent; true when it exists
// afterwards, false on any error.
bool ForceDirsSafe(const QString& path);
// Deletes the file (never a folder); false on any error.
bool DeleteFileSafe(const QString& path);
// Removes the folder only when it is empty; false otherwise or on any error.
bool RemoveDirSafe(const QString& path);
// Copies `source` to `destination` in blocks, then gives the destination the
// source's access and write times (and creation time where the platform can
// set it). An existing destination file is replaced. Returns false on any
// error; a destination opened by a failed copy is deleted again. Source and
// destination naming the same file fail before anything is written.
bool CopyFileKeepTimes(const QString& source, const QString& destination);
// The same copy into `destination`, a file open for writing (a new file not
// yet in place): the bytes are written out, then the times set. False on
// any error of reading or writing; destination.error() tells a failed write.
bool CopyFileKeepTimes(const QString& source, QFile& destination);
// `path` itself when the name is not taken (NameTaken); otherwise the first
// free name of base + "~" + i + extension (i = 1 .. 99999; base is the path
// without its extension, extension as ExtractExtLower gives it). Returns the
// empty text when every one of those names is taken: callers must never be
// handed an existing file.
QString UniqueFileName(const QString& path);
// The same search with `isTaken` deciding which names are in use (the form
// above takes NameTaken). Empty for a blank or invalid
// path, and when every name is taken.
QString UniqueFileName(const QString& path, const std::function<bool(const QString&)>& isTaken);
// The bytes this user may still write on the file system that holds
// `path`; -1 when the system does not tell.
qint64 freeBytes(const QString& path);
// The date-time that stands for "no date": day 0, 1899-12-30 00:00.
QDateTime ZeroDateTime();
// Last-write time of the file in local time; ZeroDateTime() when the file
// does not exist or its times cannot be read.
QDateTime FileWriteTime(const QString& path);

}  // namespace common
