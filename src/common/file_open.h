// Opening an input file without ever waiting on it. A path that named a
// regular file when it was checked may name a FIFO by the time it is
// opened, and opening a FIFO for reading waits for a writer for ever. The
// POSIX implementation lives in file_open_portable.cpp, the Windows one
// (where a path cannot name such a pipe) in file_open_win.cpp.
#pragma once

#include <QFile>
#include <QString>

namespace common {

// Opens `path` for reading into `file` (closed first) when, once open, it is
// a regular file, links followed. Never waits: a FIFO, a socket or a device
// is opened without blocking, seen for what it is and closed again. Returns
// false, with `file` closed, for anything but an open regular file.
bool OpenRegularFile(QFile& file, const QString& path, QIODevice::OpenMode extra = {});

}  // namespace common
