// What the front-end asks of the operating system: the file-class registry,
// the user's folders, the Escape key and the worker's command line. The
// Windows parts live in platform_win.cpp, their portable equivalents in
// platform_portable.cpp; platform.cpp holds what both share.
#pragma once

#include <QString>
#include <QStringList>

class QProcess;

namespace frontend {

// The command registered to open ".JWW" files (the default value of the
// file class's "shell\open\command" key). Empty where there is no such
// registry and on any registry error.
QString jwwOpenCommand();

// The user's desktop and documents folders with the platform's separators
// and no trailing separator; empty when the system names none.
QString desktopFolder();
QString documentsFolder();

// Lets escapeKeyHeld() follow the Escape key. Call once after the
// application object exists; where the system answers the question
// directly this does nothing.
void watchEscapeKey();
// True while the Escape key is held down: on Windows whatever window has the
// focus, elsewhere as this application's windows have seen it.
bool escapeKeyHeld();

// Lets a program built as a window program write to the console it was
// started from (Windows starts such programs without one, and the headless
// batch writes its log there as UTF-8). Does nothing elsewhere, or when the
// output already goes to a file or pipe.
void attachParentConsole();

// The worker program's file name: "Ondrelle.exe" on Windows, else "Ondrelle".
QString workerFileName();

// Sets `process` up to run `program` with the source and destination paths
// (each quoted on Windows, where the command line is one text), with no
// standard input or output; its error output is left for the caller to read
// (QProcess::StandardError).
void setWorkerCommand(QProcess& process, const QString& program, const QString& source,
                      const QStringList& destinations);

}  // namespace frontend
