// Reading a whole input file into memory, as the front-end's readers of
// SXF files and the worker's reader of the CAD program's settings do.
#pragma once

#include <QByteArray>
#include <QString>

namespace common {

enum class ReadFailure {
    None,        // `bytes` holds the whole file
    CannotOpen,  // missing, not a regular file (a folder, a FIFO), or refused
    CannotRead,  // opened, but reading failed
};

// Why `path` could not be opened as OpenRegularFile opens it, in Japanese:
// it is missing, or it is there but not a regular file or not readable.
QString OpenFailureReason(const QString& path);

// Reads the file at `path` into `bytes`. The file is opened as
// OpenRegularFile opens it, so that a FIFO or device never makes the caller
// wait, and read rather than mapped, so that a file another program
// shortens meanwhile cannot bring the program down. On a failure `bytes` is
// empty and `error`, when given, says why in the system's words.
ReadFailure ReadRegularFile(const QString& path, QByteArray& bytes, QString* error = nullptr);

}  // namespace common
