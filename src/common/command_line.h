// The programs' arguments as texts that name the same files as the bytes
// the system handed over.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace common {

// The arguments after the program's own path. On Linux an argument is bytes,
// and one that is not valid UTF-8 cannot become a text naming the same file:
// decoding replaces its bytes with U+FFFD, and the text then names another
// file, or none. Such an argument comes back as a lost argument: its decoded
// text behind a NUL character, which no file function accepts (see
// IsInvalidPath). Windows hands arguments over as text, and none is lost.
// Needs the application object.
QStringList commandLineArguments(int argc, char* argv[]);

// A path the system gave as bytes (an argument, a dropped file's name), as
// a text that names the same file, or as a lost argument when no text can.
QString pathFromBytes(const QByteArray& bytes);
// The file a local "file:" URL names (a dropped file), as pathFromBytes
// gives it for the bytes the URL carries; on Windows the URL's own path.
QString localFileOf(const QUrl& url);

// True for an argument that commandLineArguments could not keep.
bool isLostArgument(const QString& argument);
// The text of an argument to show in a message: a lost one without its NUL.
QString argumentText(const QString& argument);

}  // namespace common
