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

// Makes the next Qt Gui application draw without a display (pictures
// only, no window): the offscreen platform where a display would otherwise
// be needed; nothing on Windows, which draws without one. Call before the
// application object is made.
void useWindowlessPlatform();

// The worker program's file name: "Ondrelle.exe" on Windows, else "Ondrelle".
QString workerFileName();

// Sets `process` up to run `program` with the source and destination paths
// (each quoted on Windows, where the command line is one text): the source
// first, then each destination; its error output is left for the caller to
// read (QProcess::StandardError). With
// `turns` the worker takes turns with its batch (common/worker_protocol.h)
// through its standard input and output, which are then pipes; without,
// both are closed. The worker goes with the front-end: on Linux it is sent
// SIGTERM when the front-end ends, however it ends, and on POSIX systems it
// leads a process group of its own, which stopWorker stops as a whole.
void setWorkerCommand(QProcess& process, const QString& program, const QString& source,
                      const QStringList& destinations, bool turns = false);
// The part of setWorkerCommand that every platform shares: the worker's
// environment and its standard input and output, for turns or none.
void setWorkerChannels(QProcess& process, bool turns);
// Called once the worker has started: on Windows it joins a job that ends
// its processes when the front-end ends; elsewhere setWorkerCommand did all.
void adoptWorker(QProcess& process);
// Asks a running worker to stop, so that it removes what it was writing:
// SIGTERM to its process group. Windows has no such request for a program
// without a window: the worker is ended there.
void stopWorker(QProcess& process);

}  // namespace frontend
