// What a program leaves behind when it is stopped from outside: files it
// was still writing, folders of its own, worker processes it started. Both
// programs register such things while they exist; the handlers of SIGTERM,
// SIGINT and SIGHUP remove the files and folders and stop the processes,
// then let the signal end the program as it would have.
// The POSIX implementation lives in interrupt_cleanup_portable.cpp. Windows
// stops a program without a signal it could catch: there, installing does
// nothing and registrations are not kept (interrupt_cleanup_win.cpp).
#pragma once

#include <QString>

namespace common {

// Installs the handlers. Call once, at the start of main, from the thread
// that registers things afterwards (the main thread); a signal that reaches
// another thread is passed on to that one.
void installInterruptCleanup();

// Registrations. Each is kept once however often it is made; forgetting one
// that is not registered does nothing. Call them from the thread that
// installed the handlers. At a signal, the files are removed first, then
// the folders (when empty) in the reverse order of their registration, then
// each process is sent SIGTERM, with its process group when it leads one.
void removeFileOnInterrupt(const QString& path);
void keepFileOnInterrupt(const QString& path);
void removeFolderOnInterrupt(const QString& path);
void keepFolderOnInterrupt(const QString& path);
void stopProcessOnInterrupt(qint64 pid);
void forgetProcessOnInterrupt(qint64 pid);

}  // namespace common
